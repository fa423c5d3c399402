// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Walk-forward verification: for every reference draw in a range that is itself a case of the monthly
// rule, the chain runs on the draws up to it, its best terzina (or best combination) is played on the
// draws after it, and the hit is set against the chance of a hit. Nothing past the reference draw is
// read to choose what is played.
#include <string>
#include <vector>

#include "core/analysis/Atteso.h"
#include "core/analysis/Casi.h"
#include "core/analysis/TabelleAnalisi.h"

namespace trivalto {

struct SceltaVerificaRetroattiva {
    SceltaCasi Casi; // Riferimento is ignored: every draw of the range is tried
    SceltaParametro Parametro;
    RuoteGioco Ruote{};
    int DaColpo = 1, Colpi = 8;
    bool InteroPeriodo = false;
    int Elenco = 50;
    int K = 0;         // 0: the best terzina; 1..3: the best combination of K terzine
    int Da = 1, A = 0; // the range of reference draws (A = 0: the last draw)
    int Thread = 0;    // 0: every core
};

struct ProvaRetroattiva {
    int Riferimento = 0;
    std::vector<Terzina> Terzine;      // what was chosen on the draws up to the reference
    std::vector<NumeriGiocati> Numeri; // what they play from the reference draw's parameter
    bool Vinta = false;
    int Colpo = 0, Sorte = 0; // the first hit
    double Probabilita = 0;   // the chance of a hit for numbers fixed in advance
    bool operator==(const ProvaRetroattiva&) const = default;
};

struct EsitoRetroattivo {
    std::vector<ProvaRetroattiva> Prove; // in draw order
    int Vincite = 0;
    double Attese = 0; // the sum of the chances
    double P = 1;      // the chance of at least as many hits by luck alone
    bool Interrotta = false;
};

/// Trials whose play window runs past the archive's last draw are left out: their outcome is not known.
EsitoRetroattivo VerificaRetroattiva(const ArchivioMemoria& archivio, const SceltaVerificaRetroattiva& scelta,
                                     const ControlloLavoro& ctl = {});
/// The same trials, each built from nothing as the analysis window builds it (cases generated anew, the
/// whole terzine list searched): what VerificaRetroattiva must equal, kept for tests and benchmarks.
EsitoRetroattivo VerificaRetroattivaDiretta(const ArchivioMemoria& archivio,
                                            const SceltaVerificaRetroattiva& scelta,
                                            const ControlloLavoro& ctl = {});

/// The trials ("Verifica") and the summary ("Sintesi") as the window and the command-line tool show them.
TabellaTesto TabellaVerifica(const ArchivioMemoria& archivio, const EsitoRetroattivo& esito);
TabellaTesto TabellaSintesi(const EsitoRetroattivo& esito);

} // namespace trivalto
