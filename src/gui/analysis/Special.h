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
#include "gui/analysis/FinestraCatena.h"
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

class Special : public FinestraCatena {
    Q_OBJECT
public:
    /// `barra` is the main window's progress bar.
    Special(ContestoProgramma& contesto, Dialoghi& dialoghi, QProgressBar* barra,
            std::function<QWidget*(const QString&)> apri, QWidget* parent = nullptr);

    // The window's commands, as its buttons run them.
    void GeneraTerzine() { FinestraCatena::GeneraTerzine(); }
    void CercaCombinazioni(int K);
    void Previsioni();
    void VerificaTerzine();
    void ResocontoStorico();
    void EliminaRigheSuccessive();

    const StatoAnalisi& Stato() const { return stato_; }
    const std::vector<Caso>& CasiInMemoria() const { return stato_.Casi(); }
    Colore ColorePosizione(int p) const {
        return stato_.Posizioni()[static_cast<size_t>(p - 1)] ? ColoreAcceso : ColoreBianco;
    }

protected:
    /// Return (or Enter) on a table does what a click does there, or a double click where that is
    /// the table's action, so the chain can be run from the keyboard.
    bool eventFilter(QObject* oggetto, QEvent* evento) override;

    StatoAnalisi& Analisi() override { return stato_; }
    void GeneraCasiNelloStato() override;
    void DipingiDopoICasi() override { DipingiCasi(); }
    void DipingiCasi() override;
    void Cerca() override;
    void DistribuisciColonne() override;

private:
    // Construction.
    void costruisciInterfaccia();
    QWidget* costruisciComandi();
    QWidget* costruisciContatori();
    QWidget* costruisciTabelle();
    void impostaLarghezze();

    // Steps of the chain.
    void MostraCombinazione(int riga);
    void SelezionaCaso(int riga);
    void StoriaTerzina(int riga);
    void AggiornaContatori();
    void AggiungiTempo();

    StatoAnalisi stato_;

    // Controls.
    QCheckBox* chkVerificaEstesa_ = nullptr;
    Griglia *fgEV_, *fg1_, *fg2_, *fgp_, *fgZ_, *fgPr_, *fgStat_;
    QLabel *lblTerzineValide_, *lblCoppie_, *lblTriple_, *lblConteggio_;
    QListWidget* lstTempi_;
};

} // namespace trivalto
