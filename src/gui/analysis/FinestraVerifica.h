// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The walk-forward verification window ("Verifica retroattiva"): the analysis settings, a range of
// reference draws, and for each draw of the range that is a case the best terzina (or combination)
// chosen on the past alone and played on the draws after it; the trials, the summary against chance with
// its verdict in words, and the running count of hits beside the count chance alone would give.
#include <QWidget>

#include "core/analysis/StatoAnalisi.h"
#include "core/analysis/VerificaRetroattiva.h"
#include "gui/ui/Lavoro.h"
#include "gui/ui/Occupazione.h"

class QCheckBox;
class QComboBox;
class QProgressBar;
class QSpinBox;
class QSplitter;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class EtichettaAdattata;
class GraficoVerifica;
class Griglia;
class PannelloAnalisi;

class FinestraVerifica : public QWidget {
    Q_OBJECT
public:
    FinestraVerifica(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);
    ~FinestraVerifica() override;

    void Verifica();
    void Interrompi() { lavoro_.Ferma(); }
    bool Occupata() const { return occupazione_.Attiva(); }
    const EsitoRetroattivo& Esito() const { return esito_; }

signals:
    void LavoroFinito();

private:
    SceltaVerificaRetroattiva LeggiScelta() const;
    void Mostra();
    /// What one trial is and why the first one falls where it does, for the monthly rule of the last run.
    void SpiegaProve();
    QString DataProva(size_t prova) const;
    void Termina();

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    StatoAnalisi stato_; // the toggles the settings panel works on
    PannelloAnalisi* pannello_;
    QSpinBox *spnDa_, *spnA_;
    QComboBox* cboGioca_;
    QCheckBox* chkInteroPeriodo_;
    QProgressBar* barra_;
    EtichettaAdattata *lblSpiegazione_, *lblGiudizio_;
    Griglia *fgVerifica_, *fgSintesi_;
    GraficoVerifica* grafico_;
    QSplitter* tabelle_;
    bool colonneSpostate_ = false;
    Occupazione occupazione_;
    LavoroAvviato lavoro_;
    EsitoRetroattivo esito_;
    SceltaVerificaRetroattiva sceltaMostrata_;
    int quanteProvate_ = 1;
};

} // namespace trivalto
