// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Checks shared by the fuzz targets: a failed property aborts, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/archive/FormatiTesto.h"

namespace trivalto::fuzz {

inline void Verifica(bool vero, const char* proprieta, const std::string& dettaglio = {}) {
    if (vero) return;
    std::fprintf(stderr, "proprietà violata: %s %s\n", proprieta, dettaglio.c_str());
    std::abort();
}

/// A fixed last day, so a run does not depend on the date it runs.
inline RegoleLettura Regole() {
    RegoleLettura r;
    r.Ultima = {31, 12, 2030};
    return r;
}

/// What an import may accept: a real, plausible date and wheels that are empty or five distinct
/// numbers 1..90 in the stored form.
inline void RigaValida(const RigaEstrazione& r) {
    Data d;
    Verifica(LeggiDataTesto(r.Data, d), "data leggibile", r.Data);
    Verifica(DataImplausibile(d, Regole().Ultima).empty(), "data plausibile", r.Data);
    for (const auto& cella : r.Celle)
        Verifica(DifettoCellaTesto(cella).empty(), "ruota valida", cella);
}

} // namespace trivalto::fuzz
