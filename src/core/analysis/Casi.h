// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Cases: the past draws, at or before the reference draw, that share the chosen month ordinal.
#include <vector>

#include "core/analysis/Parametro.h"
#include "core/archive/ArchivioMemoria.h"

namespace trivalto {

/// One case: its draw, base wheel and parameter (0..90).
struct Caso {
    int Estrazione = 0;
    int Ruota = 0;
    int Parametro = 0;
    bool operator==(const Caso&) const = default;
};

/// The monthly selector: 0 is "U" (last draw of its month), 1..31 the month ordinal.
struct SceltaCasi {
    int Riferimento = 0;
    int NumeroCasi = 12;
    int Mensile = 1;
    bool ForzaUltima = false;
    int Ruota = 0;
};

/// The N most recent cases at or before the reference draw, newest first (parameters still 0).
std::vector<Caso> GeneraCasi(const ArchivioMemoria& archivio, const SceltaCasi& scelta);

struct SceltaParametro {
    PosizioniAbilitate Posizioni{true, true, true, true, true};
    Operazione Tipo = Operazione::Somma;
    int Trasformazione = 0;
    int Fisso = 0;
};

/// Writes each case's parameter from its base wheel's numbers.
void CalcolaParametri(const ArchivioMemoria& archivio, std::vector<Caso>& casi,
                      const SceltaParametro& scelta);

} // namespace trivalto
