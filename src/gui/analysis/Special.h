#pragma once
// The terzine analysis window `special` ("Le Trivalto"): the reference draw, the settings of cases,
// parameter and play, and the chain GENERA TERZINE -> combinations -> PREVISIONI with histories and
// delays. Searches run off the UI thread with the main window's progress bar.
#include <QPointer>
#include <QWidget>
#include <array>
#include <atomic>
#include <functional>

#include "core/analysis/Combinazioni.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/Storia.h"
#include "core/archive/Palette.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QToolButton;
class QGroupBox;
class QFutureWatcherBase;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class Griglia;
class FinestraStoria;
class FrmRitardi;

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
    void Interrompi() { interrompi_ = true; }
    void ImpostaRiferimento(int d);

    bool Occupata() const { return occupata_; }
    const std::vector<Caso>& CasiInMemoria() const { return casi_; }
    Colore ColorePosizione(int p) const { return posizioni_[static_cast<size_t>(p - 1)]; }

signals:
    /// Emitted on the UI thread when a search (or a failure) has ended.
    void LavoroFinito();

private:
    // Construction.
    void costruisciInterfaccia();
    QWidget* costruisciRiferimento();
    QGroupBox* costruisciCasi();
    QGroupBox* costruisciParametro();
    QGroupBox* costruisciGioco();
    QGroupBox* costruisciOpzioni();
    QWidget* costruisciComandi();
    QWidget* costruisciContatori();
    QWidget* costruisciTabelle();
    void impostaLarghezze();
    void apertura();

    // Settings read from the controls.
    RuoteGioco RuoteSelezionate() const;
    int Elenco() const;
    int CasoSelezionato() const; // 1-based row of the case table in bold, 0 if none
    int CombinazioneSelezionata() const;

    // Steps of the chain.
    void CalcolaParametri();
    void CercaTerzineSuiCasi();
    void MostraTerzine(const std::vector<Terzina>& righe, bool completa);
    void MostraCombinazioni(const std::vector<Combinazione>& righe);
    void MostraCombinazione(int riga);
    void SelezionaCaso(int riga);
    void StoriaTerzina(int riga);
    void MostraRitardi(int riga);
    void RiempiPrevisioni(const RisultatoPrevisioni& ris, const std::vector<Terzina>& scelte);
    void TogglePosizione(int p);
    void ColoraPosizione(int p, Colore colore);
    void ApriStoria(const Storia& storia, bool diCombinazione);

    // Long work.
    void Inizia();
    void Termina();
    void Errore();
    void AggiungiTempo();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    QProgressBar* barra_;
    std::function<QWidget*(const QString&)> apri_;

    // Window state (the case records survive a move of the reference draw).
    std::vector<Caso> casi_;
    std::vector<Terzina> lista_;
    std::vector<Combinazione> combinazioni_;
    RisultatoPrevisioni previsione_;
    RuoteGioco ruoteRegistrate_{};
    RuoteGioco ruoteGenera_{};
    int riferimento_ = 0;
    int daColpo_ = 1;
    int colpi_ = 8;
    int combinazioneSelezionata_ = 0;
    std::array<Colore, 5> posizioni_{};
    std::atomic<bool> interrompi_{false};
    bool occupata_ = false;
    QPointer<QFutureWatcherBase> lavoro_; // the search running, if any

    // Controls.
    QLabel* lblRiferimento_;
    QScrollBar* hsRiferimento_;
    QComboBox *cboCasi_, *cboMensile_, *cboRuota_, *cboTrasformazione_, *cboFisso_, *cboDaColpo_, *cboColpi_,
        *cboElenco_;
    QCheckBox *chkForzaUltima_, *chkInteroPeriodo_, *chkEvidenzia_, *chkVerificaEstesa_;
    std::array<QPushButton*, 5> btnPosizioni_{};
    QRadioButton *optSomma_, *optDistanza_, *optDifferenza_;
    Griglia *fgRuote_, *fgEV_, *fg1_, *fg2_, *fgp_, *fgZ_, *fgPr_, *fgStat_;
    QLabel *lblTerzineValide_, *lblCoppie_, *lblTriple_, *lblEsaminate_, *lblCasistiche_, *lblConteggio_;
    QListWidget* lstTempi_;
    std::vector<QWidget*> bloccati_; // disabled while a search runs
};

} // namespace trivalto
