// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The best terzina alone: the first row of CercaTerzine's list, found without building the list.
// The walk-forward plays only that row, thousands of times per setting, so it pays to skip the
// 117,480-terzina scan where the cases' pairs are few.
#include <array>
#include <cstdint>
#include <vector>

#include "core/analysis/Eventi.h"
#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

struct EsitoMigliorTerzina {
    Terzina Migliore; // empty when no terzina scores or Elenco is 0
    bool Interrotta = false;
};

/// Keeps its buffers from one search to the next, so a loop of searches allocates nothing; one object
/// per thread. Covered cases and more than MassimoCasi cases behave as in CercaTerzine.
class CercaMigliorTerzina {
public:
    /// `Migliore` equals CercaTerzine(input).Righe[0] (with Elenco > 0), ties included. A stop is
    /// seen only before the search starts; the walk-forward drops a stopped trial whole anyway.
    EsitoMigliorTerzina operator()(const InputRicerca& input, const ControlloLavoro& controllo = {});

private:
    bool Raccogli(const InputRicerca& input);
    Terzina Scegli() const;
    int Terni(int a, int b, int c) const;
    void Pulisci();

    std::vector<Evento> eventi_;
    std::vector<uint32_t> inizioCaso_; // per examined case, its first event; then the end
    int esaminati_ = 0;
    // Cases in which each pair of offsets came out together, both ways round (x * 91 + y, y * 91 + x).
    std::array<uint32_t, 91 * 91> maschera_{};
    std::vector<uint16_t> toccate_; // pairs with a mask, as x * 91 + y with x < y
    std::array<std::array<uint8_t, 90>, 91> vicini_{};
    std::array<uint8_t, 91> quantiVicini_{};
    std::array<uint32_t, 91> unione_{}; // per offset, the cases of all its pairs
};

} // namespace trivalto
