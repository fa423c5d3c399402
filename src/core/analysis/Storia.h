// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The case-by-case history of a terzina or a combination, for the history window.
#include <string>
#include <vector>

#include "core/analysis/Gioco.h"

namespace trivalto {

struct RigaStoria {
    int Caso = 0; // 1.. on a case's first line, 0 on the lines of further successes
    int Estrazione = 0, RuotaBase = 0, Parametro = 0;
    std::string Previsione; // played numbers, each followed by a blank; groups joined by " - "
    std::string Esito;      // the numbers that came out, each followed by a blank
    int Sorte = 0, Ruota = -1, Colpo = 0;
    bool Negativo = false; // a case without success (its first cell is yellow)
    bool operator==(const RigaStoria&) const = default;
};

struct Storia {
    std::vector<RigaStoria> Righe;
    int Casi = 0, Coperti = 0, Negativi = 0, Positivi = 0;
    std::string Percentuale; // covered * 100 / cases as "##0,0%"
};

/// Walks each case's play window up to the reference draw on the recorded wheels. On every wheel
/// the first terzina (in group order) with a success gives the line; a case ends with the first
/// draw that brought a success unless `interoPeriodo`.
Storia StoriaTerzine(const ArchivioMemoria& archivio, const std::vector<Caso>& casi,
                     const std::vector<Terzina>& terzine, const RuoteGioco& ruote,
                     const FinestraGioco& finestra, bool interoPeriodo);

/// "###.0" followed by "%", with the Italian decimal comma; below 1 keeps its leading zero.
std::string FormatoPercentuale(double valore);

} // namespace trivalto
