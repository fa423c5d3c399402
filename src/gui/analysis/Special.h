// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The terzine analysis window `special` ("Le Trivalto"): the reference draw, the settings of cases,
// parameter and play, and the chain GENERA TERZINE -> combinations -> PREVISIONI with histories and
// delays. Its state lives in a StatoAnalisi; the grids are painted from it. Searches run off the UI
// thread on copies of their inputs, with the main window's progress bar.
#include <QPointer>
#include <QProgressBar>
#include <QWidget>
#include <exception>
#include <functional>

#include "core/analysis/StatoAnalisi.h"
#include "core/analysis/Storia.h"
#include "core/archive/Palette.h"
#include "gui/analysis/PannelloAnalisi.h"
#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSplitter;
class QToolButton;
class QGroupBox;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;
class FinestraStoria;
class FrmRitardi;
class PannelloAtteso;

class Special : public QWidget {
    Q_OBJECT
public:
    /// `apri` opens (or brings forward) a named child window of the main window: "Storia" or
    /// "Frm_Ritardi". `barra` is the main window's progress bar.
    Special(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
            std::function<QWidget*(const QString&)> apri, QWidget* parent = nullptr);
    ~Special() override;

    // The window's commands, as its buttons run them.
    void GeneraTerzine();
    void SceltaTrasformazione();
    void ElaboraTerzine();
    void CercaCombinazioni(int K);
    void Previsioni();
    void VerificaTerzine();
    void ResocontoStorico();
    void EliminaRigheSuccessive();
    void Interrompi() { lavoro_.Ferma(); }
    void ImpostaRiferimento(int d);

    bool Occupata() const { return occupazione_.Attiva(); }
    const StatoAnalisi& Stato() const { return stato_; }
    const std::vector<Caso>& CasiInMemoria() const { return stato_.Casi; }
    Colore ColorePosizione(int p) const {
        return stato_.Posizioni[static_cast<size_t>(p - 1)] ? ColoreAcceso : ColoreBianco;
    }

signals:
    /// Emitted on the UI thread when a search (or a failure) has ended.
    void LavoroFinito();

protected:
    /// Return (or Enter) on a table does what a click does there, or a double click where that is
    /// the table's action, so the chain can be run from the keyboard.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;
    void resizeEvent(QResizeEvent* evento) override;

private:
    // Construction.
    void costruisciInterfaccia();
    QGroupBox* costruisciOpzioni();
    QWidget* costruisciComandi();
    QWidget* costruisciContatori();
    QWidget* costruisciTabelle();
    void impostaLarghezze();
    void DistribuisciColonne();

    // Steps of the chain.
    void CalcolaParametri();
    void CercaTerzineSuiCasi();
    void MostraCombinazione(int riga);
    void SelezionaCaso(int riga);
    void StoriaTerzina(int riga);
    void MostraRitardi(int riga);
    void AggiornaContatori();
    /// Brings the state back within an archive that a reload has shortened.
    void AdattaAllArchivio();
    void ApriStoria(const Storia& storia, bool diCombinazione);

    // Long work.
    void Termina();
    void Errore(const std::exception_ptr& causa);
    void AggiungiTempo();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QPointer<QProgressBar> barra_;
    std::function<QWidget*(const QString&)> apri_;

    StatoAnalisi stato_;
    LavoroAvviato lavoro_; // the search running, if any

    // Controls.
    PannelloAnalisi* pannello_;
    PannelloAtteso* atteso_;
    QCheckBox *chkInteroPeriodo_, *chkEvidenzia_, *chkVerificaEstesa_;
    Griglia *fgEV_, *fg1_, *fg2_, *fgp_, *fgZ_, *fgPr_, *fgStat_;
    QLabel *lblTerzineValide_, *lblCoppie_, *lblTriple_, *lblEsaminate_, *lblCasistiche_, *lblConteggio_;
    QListWidget* lstTempi_;
    Occupazione occupazione_;
    QSplitter* tabelle_ = nullptr; // cases and forecast | terzine | combinations
    bool colonneSpostate_ = false; // the user has dragged a divider
};

} // namespace trivalto
