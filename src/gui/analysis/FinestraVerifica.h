// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The walk-forward verification window ("Verifica retroattiva"): the analysis settings, a range of
// reference draws, and for each draw of the range that is a case the best terzina (or combination)
// chosen on the past alone and played on the draws after it; the trials, the summary against chance with
// its verdict in words, and the running count of hits beside the count chance alone would give.
#include <QWidget>
#include <functional>
#include <memory>

#include "core/analysis/StatoAnalisi.h"
#include "core/analysis/VerificaRetroattiva.h"

class QCheckBox;
class QComboBox;
class QSpinBox;
class QSplitter;

namespace trivalto {

class ContestoProgramma;
class Dialoghi;
class EtichettaAdattata;
class GraficoVerifica;
class Griglia;
class PannelloAnalisi;
class RigaComandi;

class FinestraVerifica : public QWidget {
    Q_OBJECT
public:
    FinestraVerifica(ContestoProgramma& contesto, Dialoghi& dialoghi, QWidget* parent = nullptr);
    ~FinestraVerifica() override;

    void Verifica();
    void Interrompi();
    bool Occupata() const;
    const EsitoRetroattivo& Esito() const { return esito_; }

    /// What VERIFICA runs off the UI thread; tests put in a job that fails.
    using Calcolo = std::function<EsitoRetroattivo(const ArchivioMemoria&, const SceltaVerificaRetroattiva&,
                                                   const ControlloLavoro&)>;
    void SostituisciCalcolo(Calcolo calcolo) { calcolo_ = std::move(calcolo); }

signals:
    void LavoroFinito();

private:
    SceltaVerificaRetroattiva LeggiScelta() const;
    void Mostra();
    /// What one trial is and why the first one falls where it does, for the monthly rule of the last run.
    void SpiegaProve();
    QString DataProva(size_t prova) const;

    ContestoProgramma& ctx_;
    Dialoghi& dialoghi_;
    StatoAnalisi stato_; // the toggles the settings panel works on
    PannelloAnalisi* pannello_;
    QSpinBox *spnDa_, *spnA_;
    QComboBox* cboGioca_;
    QCheckBox* chkInteroPeriodo_;
    RigaComandi* comandi_;
    EtichettaAdattata *lblSpiegazione_, *lblGiudizio_;
    Griglia *fgVerifica_, *fgSintesi_;
    GraficoVerifica* grafico_;
    QSplitter* tabelle_;
    bool colonneSpostate_ = false;
    Calcolo calcolo_ = [](const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s,
                          const ControlloLavoro& ctl) { return VerificaRetroattiva(a, s, ctl); };
    EsitoRetroattivo esito_;
    std::shared_ptr<const ArchivioMemoria> archivioMostrato_; // the archive esito_ was found on
    SceltaVerificaRetroattiva sceltaMostrata_;
    int quanteProvate_ = 1;
};

} // namespace trivalto
