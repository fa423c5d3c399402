// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Constant number tables read by the transformations; index 1..90, entry 0 unused (0).
#include <array>
#include <cstdint>

namespace trivalto {

using TabellaNumeri = std::array<int16_t, 91>;

struct TabelleNumeri {
    TabellaNumeri TabDiametrale{};
    TabellaNumeri TabDiamDecina{};
    TabellaNumeri TabVertibile{};
    TabellaNumeri TabGruppoVertibile{};
    TabellaNumeri TabDecina{};
    TabellaNumeri TabUnita{};
    TabellaNumeri TabFigura{};
    TabellaNumeri TabModulo30{};
};

/// The tables built once; they never change, so one shared copy serves every window.
const TabelleNumeri& Tabelle();

} // namespace trivalto
