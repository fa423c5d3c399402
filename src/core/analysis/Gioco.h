// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The play of one terzina for one case: its three numbers and the success test on a draw and wheel.
#include <algorithm>
#include <array>
#include <string>

#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

using NumeriGiocati = std::array<int, 3>;

inline NumeriGiocati NumeriPerCaso(int parametro, int a, int b, int c) {
    return {NumeroGiocato(parametro, a), NumeroGiocato(parametro, b), NumeroGiocato(parametro, c)};
}

/// How many drawn positions hold one of the played numbers (2 = ambo, 3 = terno); a drawn 0 never counts.
inline int ContaEsito(const NumeriRuota& estratti, const NumeriGiocati& g) {
    int conta = 0;
    for (auto x : estratti)
        if (x != 0 && (x == g[0] || x == g[1] || x == g[2])) ++conta;
    return conta;
}

/// The played numbers that came out, in played order, each followed by a blank (the "Esito" text),
/// and how many they are.
struct NumeriUsciti {
    std::string Testo;
    int Quanti = 0;
};
inline NumeriUsciti Usciti(const NumeriRuota& estratti, const NumeriGiocati& g) {
    NumeriUsciti u;
    for (int n : g)
        if (std::find(estratti.begin(), estratti.end(), n) != estratti.end()) {
            u.Testo += std::to_string(n) + " ";
            ++u.Quanti;
        }
    return u;
}

/// First and last draw of a case's play window, the last never past `fine`.
struct Intervallo {
    int primo, ultimo;
};
inline Intervallo FinestraDelCaso(const Caso& caso, const FinestraGioco& f, int fine) {
    const int primo = caso.Estrazione + f.DaColpo;
    return {primo, std::min(primo + f.Colpi - 1, fine)};
}

} // namespace trivalto
