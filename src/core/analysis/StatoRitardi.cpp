// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/StatoRitardi.h"

#include <stdexcept>
#include <string>

namespace trivalto {

StatoRitardi::StatoRitardi(const TabellaRitardi& ritardi, const std::vector<int>& marcati,
                           const RuoteGioco& ruote)
    : ritardi_(ritardi), ruote_(ruote) {
    for (int n : marcati) {
        if (n < 1 || n > 90)
            throw std::out_of_range("numero da marcare fuori da 1..90: " + std::to_string(n));
        marcati_.set(static_cast<size_t>(n));
    }
}

} // namespace trivalto
