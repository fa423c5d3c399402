// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/maintenance/CalendarioEstrazioni.h"

#include <algorithm>
#include <array>
#include <map>

namespace trivalto {

int GiornoSettimana(const Data& d) {
    // Zeller's congruence on the Gregorian calendar; h = 0 is Saturday.
    int m = d.mese, y = d.anno;
    if (m < 3) m += 12, --y;
    const int h = (d.giorno + 13 * (m + 1) / 5 + y + y / 4 - y / 100 + y / 400) % 7;
    return (h + 6) % 7 + 1;
}

std::string SiglaGiorno(int giorno) {
    static const std::array<const char*, 8> sigle = {"", "D", "L", "M", "m", "G", "V", "S"};
    return giorno >= 1 && giorno <= 7 ? sigle[static_cast<size_t>(giorno)] : "";
}

CalendarioAnno CalendarioDellAnno(const ArchivioMemoria& archivio, int anno) {
    std::map<int, std::map<int, int>> mesi; // month -> day -> weekday
    for (int i = 1; i <= archivio.NumeroEstrazioni; ++i) {
        Data d;
        if (!LeggiDataTesto(archivio.DateEstrazioni[static_cast<size_t>(i)], d) || d.anno != anno) continue;
        mesi[d.mese][d.giorno] = GiornoSettimana(d);
    }
    CalendarioAnno c;
    for (const auto& [mese, giorni] : mesi)
        for (const auto& [giorno, _] : giorni)
            c.Giorni.push_back(giorno);
    std::sort(c.Giorni.begin(), c.Giorni.end());
    c.Giorni.erase(std::unique(c.Giorni.begin(), c.Giorni.end()), c.Giorni.end());
    for (const auto& [mese, giorni] : mesi) {
        CalendarioAnno::Mese riga{anno, mese, std::vector<int>(c.Giorni.size(), 0)};
        for (size_t k = 0; k < c.Giorni.size(); ++k)
            if (auto it = giorni.find(c.Giorni[k]); it != giorni.end()) riga.Celle[k] = it->second;
        c.Righe.push_back(std::move(riga));
    }
    return c;
}

} // namespace trivalto
