// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A case's play window as events in offset space: for every played draw and wheel (draws in
// increasing order, wheels in wheel order), the offsets from the case's parameter at which the
// drawn numbers stand. A played terzina (a, b, c) succeeds on an event when the drawn positions
// at offsets a, b or c are two or more.
#include <cstdint>
#include <vector>

#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

struct Evento {
    uint8_t s[5];  // distinct offsets of the numbers 1..90 drawn, ascending
    uint8_t m[5];  // how many drawn positions stand at each
    uint8_t k = 0; // how many distinct offsets
    bool doppi = false;
    uint8_t pre[5]; // offsets of all five positions, a missing number read as 90 (the pair pre-count's view)
};

/// Appends the events of a case's play window, never past `fine`.
void EventiDelCaso(const ArchivioMemoria& archivio, const Caso& caso, const RuoteGioco& ruote,
                   const FinestraGioco& finestra, int fine, std::vector<Evento>& eventi);

/// Offset from a parameter at which a played offset stands; 0 (an empty list row) plays the parameter itself.
inline int OffsetNormale(int offset) {
    return offset == 0 ? 90 : offset;
}

} // namespace trivalto
