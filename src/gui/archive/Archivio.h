// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive window `archivio` ("Gestione archivio DB"): one draw at a time in 55 entry boxes with
// its saving, correction and deletion, moving through the archive, the searches, the month
// calendar, the list of every draw and the calendar of a year's draw days.
#include <QWidget>
#include <array>
#include <functional>

#include "core/maintenance/CaselleEstrazione.h"

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollBar;
class QTabWidget;

namespace trivalto {

class CasellaNumero;
class ContestoProgramma;
class Dialoghi;
class Griglia;
class PaginaAggiornamenti;
class PaginaSalvataggi;

class Archivio : public QWidget {
    Q_OBJECT
public:
    /// `ricarica` is the main window's full reload after a write (progress bar, model 1..N, labels);
    /// it throws what the reload throws.
    /// `barra` is the main window's progress bar, for the exports.
    Archivio(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
             std::function<void()> ricarica, QWidget* parent = nullptr);

    // The window's commands, as its buttons run them.
    void SalvaEstrazione();
    void ModificaEstrazione();
    void EliminaEstrazione();
    void AzzeraGriglia();
    void IncollaEstrazione();
    void CaricaCalendario();
    void SigleGiorni();
    /// The refresh after a change of the archive: summary labels, the last draw shown, the list.
    void AggiornaRiepilogoArchivio();
    /// Shows draw k (1..N) through the scroll bar, as every way of moving does.
    void MostraEstrazione(int k);

    int IndiceCorrente() const { return indiceCorrente_; }
    TestiCaselle Caselle() const;
    void ImpostaCaselle(const TestiCaselle& testi);

protected:
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

private:
    QWidget* costruisciGestione();
    QWidget* costruisciCaselle(QWidget* padre);
    QWidget* costruisciNavigazione(QWidget* padre);
    QWidget* costruisciCalendario(QWidget* padre);
    QWidget* costruisciStatistica(QWidget* padre);
    QWidget* costruisciElenco();
    /// A help button opening `argomento` (the window's own topic unless a page has one).
    QPushButton* PulsanteHelp(QWidget* padre, int argomento = 320);
    void apertura();

    void CaricaTabellaArchivio();
    void CaricaElenco();
    void CliccaIndice();
    void CellaCalendarioScelta(int riga, int colonna);
    void RigaElencoScelta(int riga);
    void SelezioneEstrazione();
    void ImpostaDataScelta(const QDate& data);
    /// Runs a write and the reload after it; false (message shown) when either fails.
    bool Ricarica();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    std::function<void()> ricarica_;
    int indiceCorrente_ = 0;

    QTabWidget* SSTab1_;
    std::array<CasellaNumero*, NumeroCaselle> txtin_{};
    QLineEdit* txtIncolla_;
    QScrollBar* HScrestrazione_;
    QLabel *LBLESTRAZIONE_, *pAN_DC_, *lblNumero_, *lblAggiornati_, *LabelPM_, *LabelPA_, *lblIndirizzo_;
    QCalendarWidget* MonthView1_;
    QLineEdit* txtDataScelta_;
    QComboBox* cboAnno_;
    QCheckBox* chkSigla_;
    Griglia *fg1_, *FgDB_;
    PaginaSalvataggi* salvataggi_;
    PaginaAggiornamenti* aggiornamenti_;
};

} // namespace trivalto
