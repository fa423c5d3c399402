// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What chance alone gives, beside what the search shows. A terzina fixed in advance makes at least an
// ambo on one wheel in one draw with probability p = (3·C(87,3) + C(87,2)) / C(90,5) ≈ 1 in 136.6; over
// a case's play window of k draw-wheels it covers the case with probability 1 − (1 − p)^k. The best of
// 117,480 terzine is inflated by the choice itself: the simulations measure by how much, by running the
// same search on archives whose play-window draws are replaced by random ones.
#include <cstdint>
#include <random>
#include <vector>

#include "core/analysis/Combinazioni.h"
#include "core/analysis/Gioco.h"
#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

/// The chance that one draw on one wheel (five distinct numbers of 90) brings at least two numbers of
/// some terzina of `terzine`; exact, whatever numbers the terzine share.
double ProbabilitaSuccesso(const std::vector<NumeriGiocati>& terzine);
/// The same for K terzine with no number in common (K = 1: one terzina).
double ProbabilitaDisgiunte(int K);

/// For each case of `in` (covered cases give 0): how many draw-wheels of its play window, up to the
/// reference draw, hold numbers on a play wheel.
std::vector<int> GiocatePerCaso(const InputRicerca& in);

struct Atteso {
    /// The expected "Pos" of one terzina fixed in advance: the covered cases, or with the whole period
    /// the successes.
    double Pos = 0;
    /// The expected "Cop" of K terzine fixed in advance with no number in common (0 when K is 0).
    double Cop = 0;
};
Atteso CalcolaAtteso(const InputRicerca& in, int K = 0);

/// The top of the list (and of the combinations) on simulated archives.
struct SceltaSimulazione {
    int Simulazioni = 200;
    uint64_t Seme = 1;
    int K = 0;      // with K the combination search runs too
    int Thread = 0; // 0: every core
};
struct EsitoSimulazione {
    std::vector<int> TopPos; // one per simulation, in simulation order
    std::vector<int> TopCop; // with K
    bool Interrotta = false;
};
/// Simulation s draws its numbers from a generator seeded by (Seme, s) alone, so the result does not
/// depend on the number of threads. `ctl.Progresso` is called with the simulations done.
EsitoSimulazione SimulaMigliori(const InputRicerca& in, const SceltaSimulazione& scelta,
                                const ControlloLavoro& ctl = {});

/// One simulated draw of one wheel: five distinct numbers of 1..90 in drawn order, each as likely.
NumeriRuota EstrazioneCasuale(std::mt19937_64& generatore);
/// What simulation `simulazione` of SimulaMigliori searches: the archive of `in` with every draw-wheel
/// that the search reads and that holds numbers replaced by an EstrazioneCasuale.
ArchivioMemoria ArchivioSimulato(const InputRicerca& in, uint64_t seme, int simulazione);

/// Where an observed top stands among the simulated ones.
struct Significativita {
    int Osservato = 0;
    double Mediana = 0, Percentile95 = 0;
    double P = 0; // the share of simulations reaching the observed value
};
Significativita Confronta(const std::vector<int>& simulati, int osservato);

/// P(X >= k) for X the number of successes of independent trials with the given chances.
double CodaPoissonBinomiale(const std::vector<double>& probabilita, int k);

} // namespace trivalto
