// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Exploration of many settings at once, paid for honestly. Every setting of a grid is tried by the
// walk-forward on the draws up to a cut-off; the smallest p of many tries is small by luck alone, so
// the p values are corrected for the number of settings (Holm's step-down), the best setting's p is
// checked again on archives of random draws, and the best setting is then played once on the draws
// after the cut-off, which nothing in the ranking has read.
#include <cstdint>
#include <string>
#include <vector>

#include "core/analysis/VerificaRetroattiva.h"

namespace trivalto {

/// One setting: what the grid varies. Everything else comes from the grid's base.
struct Impostazione {
    int Ruota = 0;
    PosizioniAbilitate Posizioni{true, true, true, true, true};
    Operazione Tipo = Operazione::Somma;
    int Trasformazione = 0;
    int Mensile = 1; // 0: "U"
    int DaColpo = 1, Colpi = 8;
    bool operator==(const Impostazione&) const = default;
};

struct GrigliaEsplorazione {
    /// The fixed part: number of cases, forced last, fixed number, play wheels, whole period, Elenco, K.
    SceltaVerificaRetroattiva Base;
    /// Play on each setting's own base wheel instead of Base.Ruote.
    bool GiocaSullaRuotaBase = true;
    std::vector<int> Ruote{0};
    std::vector<PosizioniAbilitate> Posizioni{{true, true, true, true, true}};
    std::vector<Operazione> Operazioni{Operazione::Somma};
    std::vector<int> Trasformazioni{0};
    std::vector<int> Mensili{1};
    std::vector<int> DaColpi{1};
    std::vector<int> Colpi{8};
};

/// The settings of the grid in a fixed order (base wheel outermost, play window innermost); a
/// distance or difference with other than two positions on is left out, as the windows refuse it.
std::vector<Impostazione> ImpostazioniDellaGriglia(const GrigliaEsplorazione& griglia);
/// The walk-forward choice for one setting over the draws 1..`ultima` of the archive it will read.
SceltaVerificaRetroattiva SceltaPer(const GrigliaEsplorazione& griglia, const Impostazione& imp);

/// The last draw on or before `data` (0 when the archive starts after it).
int UltimaFinoA(const ArchivioMemoria& archivio, const Data& data);
/// The cut-off that holds the archive's last two calendar years out for the confirmation.
int TaglioPredefinito(const ArchivioMemoria& archivio);

/// Holm's step-down adjustment: each p multiplied by the number of hypotheses not yet rejected before
/// it in ascending order, made monotone and capped at 1. Same order as `p`.
std::vector<double> CorrezioneHolm(const std::vector<double>& p);

/// The archive as it stood at draw `ultima`: what a user who stopped entering draws there would have.
ArchivioMemoria ArchivioFinoA(const ArchivioMemoria& archivio, int ultima);
/// Every wheel that holds numbers gets five distinct random numbers; empty wheels stay empty.
ArchivioMemoria ArchivioCasuale(const ArchivioMemoria& archivio, uint64_t seme);

struct RigaEsplorazione {
    Impostazione Scelta;
    int Prove = 0, Vincite = 0;
    double Attese = 0;
    double P = 1;         // the walk-forward's p for this setting alone
    double PCorretto = 1; // after Holm's correction for every setting tried
    bool Fatta = false;   // false for the settings a stop left out
};

struct SceltaEsplorazione {
    int FinoA = 0;          // the last draw the ranking may read (0: the whole archive)
    int Permutazioni = 100; // random archives for the best setting's check (0: none)
    uint64_t Seme = 1;
    int Thread = 0; // 0: every core
};

struct EsitoEsplorazione {
    std::vector<RigaEsplorazione>
        Righe;       // ranked: settings done by p ascending (ties in grid order), then the rest
    int Provate = 0; // settings that ran to their end
    bool Interrotta = false;
    /// The best setting checked on random archives: the share of them where it wins at least as often.
    double PPermutazione = 1;
    int Permutazioni = 0;
    /// The best setting played once on the draws after FinoA (empty when nothing is left after it).
    EsitoRetroattivo Conferma;
    int PrimaConferma = 0; // the first reference draw of the confirmation
};

/// Runs the grid on `archivio` cut at `scelta.FinoA`, settings in parallel; then, unless stopped, the
/// permutation check and the confirmation of the best. `ctl.Progresso` counts the settings done, then
/// the random archives, out of their sum.
EsitoEsplorazione Esplora(const ArchivioMemoria& archivio, const GrigliaEsplorazione& griglia,
                          const SceltaEsplorazione& scelta, const ControlloLavoro& ctl = {});

/// "## Esplorazione", "## Conferma" and "## Sintesi" as the command-line tool prints them.
std::string TestoImpostazione(const Impostazione& imp);
TabellaTesto TabellaEsplorazione(const EsitoEsplorazione& esito);
TabellaTesto TabellaConferma(const ArchivioMemoria& archivio, const EsitoEsplorazione& esito);
/// The summary, its last row the verdict ("Giudizio").
TabellaTesto TabellaSintesiEsplorazione(const EsitoEsplorazione& esito, const std::string& finoA);
/// The verdict in words: its first words say where the best setting's corrected p falls ("Alla portata
/// del caso" from 0,05, "Poco oltre il caso" from 0,01, "Oltre il caso" below), then what was compared
/// and what the held-out draws said. `finoA` is the date of the cut-off.
std::string GiudizioEsplorazione(const EsitoEsplorazione& esito, const std::string& finoA);

} // namespace trivalto
