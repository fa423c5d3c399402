// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The main window `Container`: the button strip that opens the program's windows (one instance
// each, inside the main window), the model-archive panel, the progress bar `pb1` and the draws
// table `fgpa`.
#include <QMainWindow>
#include <QMdiSubWindow>
#include <QPointer>
#include <functional>
#include <map>

class QLabel;
class QMdiArea;
class QProgressBar;
class QToolButton;

namespace trivalto {

class ContestoProgramma;
class ControlloAvvio;
class Dialoghi;
class Griglia;
class Informazioni;
class StatoArchivio;

class Container : public QMainWindow {
    Q_OBJECT
public:
    using Fabbrica = std::function<QWidget*()>;

    Container(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);

    /// Shows the window where it was last left; the first time at its usual size where the screen
    /// holds it, else maximised (a laptop screen of 1366x768 with its taskbar is smaller than that).
    void Mostra();
    /// Binds a strip button to the window it opens; buttons without one stay disabled.
    void RegistraFinestra(const QString& pulsante, Fabbrica fabbrica);
    /// Opens the window of a strip button, or brings the open one to the front.
    QWidget* ApriFinestra(const QString& pulsante);
    /// Rewrites the five labels of the model archive from the in-memory archive.
    void ImpostazioniArchivioModello();
    /// After a change of the archive: reloads every draw with `pb1` as progress bar, the model
    /// becomes the whole archive and the panel shows it. Throws what the reload throws.
    void CaricaArchivioExNovo();
    QProgressBar* BarraProgresso() const { return pb1_; }
    /// The help topic F1 opens: the active child window's own, else the main window's (300).
    int ArgomentoAttivo() const;
    QMdiArea* AreaFinestre() const { return area_; }
    /// Stores the main window's and every open child window's place and size (QSettings), as the
    /// program ends; a child window's are also stored when it closes, and given back when it opens.
    void RicordaDisposizione();
    /// "Informazioni su Trivalto", one window, brought to the front when open.
    Informazioni* MostraInformazioni();
    /// The archive window on its page "Aggiornamenti".
    void ApriPaginaAggiornamenti();
    ControlloAvvio* ControlloAggiornamenti() const { return controllo_; }

signals:
    void Fine();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    bool geometriaRicordata_ = false;
    void costruisciStriscia();
    void costruisciPannelloModello(QWidget* contenitore);
    void costruisciElencoEstrazioni();
    void caricaFgpa();
    void mostraSottofinestra(const QString& pulsante, QMdiSubWindow* sotto, bool massimizzata);
    void ricordaSottofinestra(QMdiSubWindow* sotto);

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QMdiArea* area_;
    QProgressBar* pb1_;
    Griglia* fgpa_ = nullptr;
    QLabel *lblInizio_ = nullptr, *lblInizioNE_ = nullptr, *lblFine_ = nullptr, *lblFineNE_ = nullptr,
           *lblEv_ = nullptr;
    std::map<QString, QToolButton*> pulsanti_;
    std::map<QString, Fabbrica> fabbriche_;
    std::map<QString, QPointer<QMdiSubWindow>> aperte_; // empty once closed
    StatoArchivio* stato_ = nullptr;
    ControlloAvvio* controllo_ = nullptr;
    QPointer<Informazioni> informazioni_;
};

} // namespace trivalto
