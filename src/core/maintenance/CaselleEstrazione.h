// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The 55 entry boxes of a draw (eleven wheels of five boxes, box b = wheel (b-1)/5, position
// (b-1)%5): the typing and keyboard rules, the check before a draw is written, and the paste rule.
// Kept apart from the widgets so each rule can be read and tested on its own.
#include <array>
#include <optional>
#include <string>

#include "core/archive/DatabaseArchivio.h"

namespace trivalto {

inline constexpr int NumeroCaselle = NumeroRuote * NumeriPerRuota;
using TestiCaselle = std::array<std::string, NumeroCaselle>; // index 0 = box 1

/// What a box keeps after any change of its text: "99" stays; a value above 90, a single
/// non-digit or a second character that is not a digit empties it.
std::string FiltraCasella(const std::string& testo);

/// The text a box shows once the focus leaves it ("0#": "7" becomes "07", empty stays empty).
std::string FormatoCasella(const std::string& testo);

enum class TastoCasella { Invio, Destra, Sinistra, Su, Giu };

/// What a key does in box `casella` (1..55) holding `testo`: empty the box and stay
/// (`Destinazione` 0), or move to `Destinazione`, leaving `Testo` in the box left.
struct AzioneTasto {
    bool Svuota = false;
    int Destinazione = 0;
    std::string Testo;
};
AzioneTasto Tasto(int casella, const std::string& testo, TastoCasella tasto);

/// The boxes showing draw `numeri`: two digits each, "00" for a missing number.
TestiCaselle CaselleDaEstrazione(const std::array<NumeriRuota, NumeroRuote>& numeri);

/// Why the boxes do not make a draw that may be stored (a number outside 1..90, a number repeated
/// on a wheel, a wheel with one to four numbers, no number at all), naming the wheel and the box;
/// nothing when they do. A wheel left wholly empty (or all "00") is allowed: real history has them.
std::optional<std::string> ControllaCaselle(const TestiCaselle& caselle);

/// The draw of date `data` from checked boxes: each wheel as two-digit numbers joined by "-",
/// an empty wheel as "----".
RigaEstrazione RigaDaCaselle(const std::string& data, const TestiCaselle& caselle);

/// "INCOLLA ESTRAZIONE": the runs of digits of `appunti` in order, the last one too when no
/// separator follows it; at most 55, the rest 0.
std::array<int, NumeroCaselle> NumeriIncollati(const std::string& appunti);

/// The boxes after "INCOLLA ESTRAZIONE": each pasted number in two digits ("00" when missing), then
/// the typing filter, so a number above 90 other than 99 leaves its box empty instead of being cut
/// to its first two digits.
TestiCaselle CaselleIncollate(const std::string& appunti);

} // namespace trivalto
