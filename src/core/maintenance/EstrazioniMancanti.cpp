// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/maintenance/EstrazioniMancanti.h"

#include <algorithm>
#include <set>

namespace trivalto {

namespace {
constexpr long GiorniFinestra = 52 * 7;

int GiornoDellaSettimana(long giorno) {
    // 01/01/1970 was a Thursday (4).
    return static_cast<int>(((giorno + 4) % 7 + 7) % 7);
}
} // namespace

long GiornoAssoluto(const Data& d) {
    // Days from civil (H. Hinnant): years counted from March, so the leap day ends the year.
    const long y = d.anno - (d.mese <= 2 ? 1 : 0);
    const long era = (y >= 0 ? y : y - 399) / 400;
    const long anno = y - era * 400;
    const long giornoAnno = (153 * (d.mese + (d.mese > 2 ? -3 : 9)) + 2) / 5 + d.giorno - 1;
    const long giornoEra = anno * 365 + anno / 4 - anno / 100 + giornoAnno;
    return era * 146097 + giornoEra - 719468;
}

std::array<bool, 7> GiorniDiEstrazione(const std::vector<Data>& date) {
    std::array<bool, 7> giorni{};
    if (date.empty()) return giorni;
    std::set<long> giorniEstrazione;
    for (const auto& d : date)
        giorniEstrazione.insert(GiornoAssoluto(d));
    const long ultimo = *giorniEstrazione.rbegin();
    const auto inizio = giorniEstrazione.upper_bound(ultimo - GiorniFinestra);
    const long settimane = (ultimo - *inizio) / 7 + 1;
    std::array<long, 7> conteggi{};
    for (auto it = inizio; it != giorniEstrazione.end(); ++it)
        ++conteggi[static_cast<size_t>(GiornoDellaSettimana(*it))];
    for (size_t g = 0; g < 7; ++g)
        giorni[g] = conteggi[g] * 2 >= settimane;
    return giorni;
}

int StimaEstrazioniMancanti(const std::vector<Data>& date, const Data& oggi) {
    if (date.empty()) return 0;
    const auto giorni = GiorniDiEstrazione(date);
    long ultimo = GiornoAssoluto(date.front());
    for (const auto& d : date)
        ultimo = std::max(ultimo, GiornoAssoluto(d));
    int mancanti = 0;
    for (long g = ultimo + 1; g <= GiornoAssoluto(oggi); ++g)
        if (giorni[static_cast<size_t>(GiornoDellaSettimana(g))]) ++mancanti;
    return mancanti;
}

int StimaEstrazioniMancanti(const ArchivioMemoria& archivio, const Data& oggi) {
    std::vector<Data> date;
    date.reserve(static_cast<size_t>(archivio.NumeroEstrazioni));
    for (int i = 1; i <= archivio.NumeroEstrazioni; ++i) {
        Data d;
        if (LeggiDataTesto(archivio.DateEstrazioni[static_cast<size_t>(i)], d)) date.push_back(d);
    }
    return StimaEstrazioniMancanti(date, oggi);
}

} // namespace trivalto
