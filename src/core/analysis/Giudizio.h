// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The verdict a player reads beside the figures of chance: one sentence in plain words, the same in every
// window and in the command-line tool. It begins with one of three fixed phrases chosen by p alone and then
// says what was compared, with the numbers, so that nobody has to know what p is to read it.
#include <string>

#include "core/analysis/Atteso.h"
#include "core/analysis/VerificaRetroattiva.h"

namespace trivalto {

enum class Verdetto { AllaPortata, PocoOltre, Oltre };

/// p >= 0,05: "Alla portata del caso"; 0,01 <= p < 0,05: "Poco oltre il caso"; p < 0,01: "Oltre il caso".
Verdetto VerdettoPerP(double p);
const char* TestoVerdetto(Verdetto v);

/// The best of a search set against the bests of the same search on simulated archives.
struct MiglioreGiudicato {
    int K = 0;           // 0: the first terzina of the list; K > 0: the best combination of K terzine
    bool Uscite = false; // the whole period: the figure counts every hit, not the cases
    int Casi = 0;        // the cases the figure was counted on
    int Simulazioni = 0;
};

/// The cases a best is counted on: those not yet covered for the first terzina of the list, every case
/// for a combination.
int CasiGiudicati(const InputRicerca& in, int K);

/// From this many distinct settings tried on, the verdict carries a reminder: among many settings one
/// that looks beyond chance turns up by luck alone.
inline constexpr int SogliaImpostazioniProvate = 5;

struct Giudizio {
    Verdetto Esito = Verdetto::AllaPortata;
    std::string Testo;      // one sentence, beginning with TestoVerdetto(Esito)
    std::string Avvertenza; // empty below SogliaImpostazioniProvate settings tried
};

/// `provate`: how many distinct settings the player has tried (the command line tries one).
Giudizio GiudicaMigliore(const MiglioreGiudicato& migliore, const Significativita& s, int provate = 1);
Giudizio GiudicaRetroattivo(const EsitoRetroattivo& esito, int provate = 1);
std::string AvvertenzaImpostazioni(int provate);

} // namespace trivalto
