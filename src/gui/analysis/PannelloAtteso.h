// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The compact panel of what chance alone gives, beside the analysis results: the expected Pos of one
// terzina fixed in advance (and the expected Cop of K of them), and, on request, where the observed best
// stands among the bests of the same search on simulated archives, with the verdict in words.
#include <QGroupBox>
#include <memory>

#include "core/analysis/Atteso.h"
#include "gui/ui/EtichettaAdattata.h"
#include "gui/ui/Lavoro.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace trivalto {

class Dialoghi;
class ImpostazioniProvate;

class PannelloAtteso : public QGroupBox {
    Q_OBJECT
public:
    /// `nomeCop` names the cases K terzine cover ("Cop", or "Coperti" in the builder); with
    /// `simulaCombinazioni` the simulations search the combinations too. Every search shown is counted in
    /// `provate`, so that the verdict can remind the player of the settings already tried.
    PannelloAtteso(Dialoghi& dialoghi, ImpostazioniProvate& provate, QString nomeCop, bool simulaCombinazioni,
                   QWidget* parent = nullptr);
    ~PannelloAtteso() override;

    /// A finished search: the expectations at once; the simulations are cleared until asked again.
    void Aggiorna(std::shared_ptr<const ArchivioMemoria> archivio, InputRicerca in, int osservatoPos);
    /// The K terzine now judged (a combination or a method) and the cases they cover.
    void AggiornaCop(int K, int osservatoCop);
    /// Empty: nothing searched.
    void Svuota();
    /// Runs the simulations (or stops them when they run).
    void Simula();
    /// The bests of finished simulations for what is shown now: the chance figures and the verdict.
    void MostraSimulazione(const EsitoSimulazione& e);

    /// The verdict out of the panel, for the window to place where it reads in a few lines across a wide
    /// table instead of a tall narrow column.
    EtichettaAdattata* StaccaGiudizio();

    bool Occupato() const { return occupato_; }
    QString Valore(const char* nome) const;
    QString TestoGiudizio() const;

signals:
    void SimulazioneFinita();

private:
    void MostraAtteso();
    void PulisciSimulazioni();
    void Termina();

    Dialoghi& dialoghi_;
    ImpostazioniProvate& provate_;
    int quanteProvate_ = 1;
    QString nomeCop_;
    bool simulaCombinazioni_;
    std::shared_ptr<const ArchivioMemoria> archivio_;
    InputRicerca in_;
    bool cercato_ = false;
    int osservatoPos_ = 0, K_ = 0, osservatoCop_ = 0;
    bool occupato_ = false;
    // Bumped whenever what is shown changes: a simulation that ends after that has nothing to say.
    int generazione_ = 0;
    LavoroAvviato lavoro_;

    QLabel* lblIntestazioneCop_;
    // [0] Pos, [1] Cop: expected, observed, chance median and 95th percentile, p.
    QLabel *lblAtteso_[2], *lblOsservato_[2], *lblMediana_[2], *lblPercentile_[2], *lblP_[2];
    EtichettaAdattata* lblGiudizio_;
    QPushButton* simula_;
    QProgressBar* barra_;
};

} // namespace trivalto
