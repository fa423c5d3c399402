// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Casi.h"

#include <algorithm>

namespace trivalto {

std::vector<Caso> GeneraCasi(const ArchivioMemoria& a, const SceltaCasi& s) {
    std::vector<Caso> casi;
    if (s.NumeroCasi < 1) return casi;
    const int ultima = a.UltimaEstrazione;
    for (int d = std::min(s.Riferimento, a.NumeroEstrazioni); d >= 1; --d) {
        bool caso;
        if (s.Mensile >= 1) {
            caso = a.PosizioneMese[d] == s.Mensile;
        } else if (d == ultima) {
            caso = s.ForzaUltima;
        } else {
            caso = d < a.NumeroEstrazioni && a.PosizioneMese[d + 1] == 1;
        }
        if (!caso) continue;
        casi.push_back({d, s.Ruota, 0});
        if (static_cast<int>(casi.size()) >= s.NumeroCasi) break;
    }
    return casi;
}

void CalcolaParametri(const ArchivioMemoria& a, std::vector<Caso>& casi, const SceltaParametro& s) {
    for (auto& caso : casi)
        caso.Parametro = CalcolaParametro(a.Numeri(caso.Estrazione, caso.Ruota), s.Posizioni, s.Tipo,
                                          s.Trasformazione, s.Fisso);
}

} // namespace trivalto
