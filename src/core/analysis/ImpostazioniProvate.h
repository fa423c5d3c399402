// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The distinct settings a player has tried in this session. Trying many and keeping the one that looks
// best is itself a search among many attempts: the verdict says so once the count grows.
#include <set>
#include <string>

#include "core/analysis/RicercaTerzine.h"
#include "core/analysis/VerificaRetroattiva.h"

namespace trivalto {

class ImpostazioniProvate {
public:
    /// Counts a search (the same cases, parameters, wheels and play window count once) and returns how
    /// many distinct searches were tried so far. The list length is left out: it does not change the best.
    int Registra(const InputRicerca& in);
    /// The same for walk-forward runs, counted apart: they are judged on draws the choice did not see.
    int Registra(const SceltaVerificaRetroattiva& scelta);

private:
    std::set<std::string> ricerche_, verifiche_;
};

} // namespace trivalto
