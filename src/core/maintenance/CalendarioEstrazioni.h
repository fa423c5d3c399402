// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The calendar of a year's draws: one row per month with draws, one column per day of the month
// that has a draw in some month of the year, each cell the weekday of that day's draw.
#include <string>
#include <vector>

#include "core/archive/ArchivioMemoria.h"

namespace trivalto {

/// Weekday of a date, 1 = Sunday … 7 = Saturday.
int GiornoSettimana(const Data& data);

/// "D", "L", "M", "m", "G", "V", "S" for 1 … 7; empty otherwise.
std::string SiglaGiorno(int giorno);

struct CalendarioAnno {
    std::vector<int> Giorni; // the day columns, ascending
    struct Mese {
        int Anno = 0, Mese = 0;
        std::vector<int> Celle; // parallel to Giorni: weekday of the draw on that day, 0 = none
    };
    std::vector<Mese> Righe; // months with draws, ascending
};

CalendarioAnno CalendarioDellAnno(const ArchivioMemoria& archivio, int anno);

} // namespace trivalto
