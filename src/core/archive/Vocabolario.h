// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wheels, numbers, wheel cell text and draw dates: the words every other layer speaks.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace trivalto {

inline constexpr int NumeroRuote = 11;   // wheels 0..10 in a draw
inline constexpr int NumeriPerRuota = 5; // positions 0..4 in memory

inline constexpr std::array<std::string_view, 12> NomiRuote = {"Bari",   "Cagliari", "Firenze",   "Genova",
                                                               "Milano", "Napoli",   "Palermo",   "Roma",
                                                               "Torino", "Venezia",  "Nazionale", "Tutte"};
inline constexpr std::array<std::string_view, 12> CodiciRuote = {"BA", "CA", "FI", "GE", "MI", "NA",
                                                                 "PA", "RO", "TO", "VE", "NZ", "TU"};
inline constexpr std::array<std::string_view, 11> CampiRuote = {"Ba", "Ca", "Fi", "Ge", "Mi", "Na",
                                                                "Pa", "Ro", "To", "Ve", "Nz"};

using NumeriRuota = std::array<int16_t, NumeriPerRuota>;

/// Index 0..10 of a wheel code ("BA".."NZ", any case), or -1.
int IndiceCodiceRuota(std::string_view codice);

/// Lenient numeric conversion: leading blanks, optional sign, leading digits; anything else gives 0.
long ValoreNumerico(std::string_view testo);

/// Reads the five fixed two-character slices at 1, 4, 7, 10, 13 (1-based); a missing slice is 0.
NumeriRuota LeggiCellaRuota(std::string_view cella);

/// Joins five entry texts with "-" ("----" when all are empty).
std::string ScriviCellaRuota(const std::array<std::string, 5>& testi);

/// Two-digit cell text of five numbers ("07-45-12-90-33"); five zeros give "----".
std::string CellaDaNumeri(const NumeriRuota& numeri);

// Draw dates are held as "dd/mm/yyyy" and stored as ISO "yyyy-mm-dd".
struct Data {
    int giorno = 0, mese = 0, anno = 0;
    bool operator==(const Data&) const = default;
};

/// Parses "dd/mm/yyyy" (exact form, a real calendar date) or returns false.
bool LeggiDataTesto(std::string_view testo, Data& data);
/// Parses "yyyy-mm-dd" or "yyyy/mm/dd" or returns false.
bool LeggiDataIso(std::string_view testo, Data& data);
bool DataValida(const Data& data);
std::string TestoData(const Data& data); // dd/mm/yyyy
std::string IsoData(const Data& data);   // yyyy-mm-dd

/// Month and year of a held date text; 0 when the text is not a date.
int MeseDiData(std::string_view testo);
int AnnoDiData(std::string_view testo);

} // namespace trivalto
