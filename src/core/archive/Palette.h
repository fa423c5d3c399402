// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared colours as 0x00BBGGRR numbers (red in the low byte); grids store and read back these values.
#include <cstdint>

namespace trivalto {

using Colore = uint32_t;

inline constexpr Colore ColoreGialloChiaro = 0xC0FFFF;
inline constexpr Colore ColoreGiallo = 0x80FFFF;
inline constexpr Colore ColoreVerdeChiaro = 0xC0FFC0;
inline constexpr Colore ColoreVerde = 0x80FF80;
inline constexpr Colore ColoreVerdeScuro = 0x8000;
inline constexpr Colore ColoreArancioChiaro = 0x80C0FF;
inline constexpr Colore ColoreArancio = 0x80FF;
inline constexpr Colore ColoreAzzurroChiaro = 0xFFFFC0;
inline constexpr Colore ColoreAzzurro = 0xFFFF00;
inline constexpr Colore ColoreRosa = 0xC0C0FF;

// State colours read back by the algorithms.
inline constexpr Colore ColoreAcceso = 65280;     // pure green: on, selected, covered
inline constexpr Colore ColoreBianco = 16777215;  // white: off
inline constexpr Colore ColoreInGioco = 16776960; // cyan: case still in play
inline constexpr Colore ColoreEvidenza = 65535;   // yellow
inline constexpr Colore ColoreNero = 0;
inline constexpr Colore ColoreRosso = 0xFF;
inline constexpr Colore ColoreBlu = 0xFF0000;

} // namespace trivalto
