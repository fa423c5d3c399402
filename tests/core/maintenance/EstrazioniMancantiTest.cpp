// SPDX-License-Identifier: GPL-3.0-or-later
// The estimate of the draws an archive lacks, on calendars worked out by hand and on the real archive.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/maintenance/CalendarioEstrazioni.h"
#include "core/maintenance/EstrazioniMancanti.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

Data D(int g, int m, int a) {
    return {g, m, a};
}

Data Dopo(const Data& d, int giorni) {
    Data r = d;
    for (int i = 0; i < giorni; ++i) {
        ++r.giorno;
        if (!DataValida(r)) {
            r.giorno = 1;
            if (++r.mese > 12) r.mese = 1, ++r.anno;
        }
    }
    return r;
}

/// Every day from `da` to `a` whose weekday (1 = Sunday … 7 = Saturday) is among `giorni`.
std::vector<Data> Calendario(const Data& da, const Data& a, std::initializer_list<int> giorni) {
    std::vector<Data> date;
    for (Data d = da; GiornoAssoluto(d) <= GiornoAssoluto(a); d = Dopo(d, 1))
        for (int g : giorni)
            if (GiornoSettimana(d) == g) date.push_back(d);
    return date;
}

constexpr int Domenica = 1, Lunedi = 2, Martedi = 3, Mercoledi = 4, Giovedi = 5, Venerdi = 6, Sabato = 7;

std::array<bool, 7> Giorni(std::initializer_list<int> giorni) {
    std::array<bool, 7> r{};
    for (int g : giorni)
        r[static_cast<size_t>(g - 1)] = true;
    return r;
}

} // namespace

TEST(EstrazioniMancanti, GiornoAssolutoSulCalendarioGregoriano) {
    EXPECT_EQ(GiornoAssoluto(D(1, 1, 1970)), 0);
    EXPECT_EQ(GiornoAssoluto(D(31, 12, 1969)), -1);
    EXPECT_EQ(GiornoAssoluto(D(1, 3, 2000)) - GiornoAssoluto(D(28, 2, 2000)), 2); // 2000 is leap
    EXPECT_EQ(GiornoAssoluto(D(1, 3, 1900)) - GiornoAssoluto(D(28, 2, 1900)), 1); // 1900 is not
    EXPECT_EQ(GiornoAssoluto(D(1, 1, 2027)) - GiornoAssoluto(D(1, 1, 2026)), 365);
    // Day by day from the first draw of the archive, it agrees with the weekday of the calendar page.
    Data d = D(7, 1, 1939);
    for (long g = GiornoAssoluto(d); d.anno < 2031; d = Dopo(d, 1), ++g) {
        ASSERT_EQ(GiornoAssoluto(d), g) << TestoData(d);
        ASSERT_EQ((g + 4 + 7 * 10000) % 7 + 1, GiornoSettimana(d)) << TestoData(d);
    }
}

TEST(EstrazioniMancanti, SettimanaDiQuattroGiorni) {
    // A year of draws on Tuesday, Thursday, Friday and Saturday; the last on Friday 21/08/2026.
    const auto date = Calendario(D(23, 8, 2025), D(21, 8, 2026), {Martedi, Giovedi, Venerdi, Sabato});
    EXPECT_EQ(GiorniDiEstrazione(date), Giorni({Martedi, Giovedi, Venerdi, Sabato}));
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(21, 8, 2026)), 0); // ends today
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(20, 8, 2026)), 0); // a clock behind the archive
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(22, 8, 2026)), 1); // Saturday, today's draw counts
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(24, 8, 2026)), 1); // Sunday and Monday add none
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(25, 8, 2026)), 2);
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(29, 8, 2026)), 5); // 22, 25, 27, 28, 29
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(21, 8, 2027)), 209);
    // The order of the dates and a repeated one change nothing.
    auto rovescio = std::vector<Data>(date.rbegin(), date.rend());
    rovescio.push_back(date[10]);
    EXPECT_EQ(StimaEstrazioniMancanti(rovescio, D(29, 8, 2026)), 5);
}

TEST(EstrazioniMancanti, FestivitaEGiorniSpostatiNonCambianoIlCalendario) {
    auto date = Calendario(D(24, 12, 2024), D(23, 12, 2025), {Martedi, Giovedi, Venerdi, Sabato});
    // The draws of Christmas week 2024 did not take place; two were moved to a Monday and one to a
    // Wednesday; and the summer had a week without draws.
    std::erase_if(date, [](const Data& d) {
        return (d.anno == 2024 && d.mese == 12 && d.giorno >= 24) ||
               (d.anno == 2025 && d.mese == 8 && d.giorno >= 10 && d.giorno <= 16);
    });
    date.push_back(D(23, 12, 2024)); // Monday
    date.push_back(D(30, 12, 2024)); // Monday
    date.push_back(D(2, 1, 2025));   // Thursday, already there: counts once
    date.push_back(D(14, 5, 2025));  // Wednesday
    EXPECT_EQ(GiorniDiEstrazione(date), Giorni({Martedi, Giovedi, Venerdi, Sabato}));
    // The archive ends on Tuesday 23/12/2025, before the holidays: the estimate does not know them,
    // it counts the draw days (Christmas itself included): 25, 26, 27, 30/12 and 01, 02/01.
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(2, 1, 2026)), 6);
}

TEST(EstrazioniMancanti, SoloLUltimoAnnoDellArchivio) {
    // Wednesday and Saturday until a year ago, then Tuesday, Thursday, Friday and Saturday.
    auto date = Calendario(D(1, 1, 2024), D(22, 8, 2025), {Mercoledi, Sabato});
    const auto nuove = Calendario(D(23, 8, 2025), D(21, 8, 2026), {Martedi, Giovedi, Venerdi, Sabato});
    date.insert(date.end(), nuove.begin(), nuove.end());
    EXPECT_EQ(GiorniDiEstrazione(date), Giorni({Martedi, Giovedi, Venerdi, Sabato}));
    EXPECT_EQ(StimaEstrazioniMancanti(date, D(27, 8, 2026)), 3); // 22, 25, 27; not Wednesday 26

    // A short archive (the first weeks of 1939, one draw on Saturday): its own weeks decide.
    const auto inizio = Calendario(D(7, 1, 1939), D(11, 3, 1939), {Sabato});
    EXPECT_EQ(GiorniDiEstrazione(inizio), Giorni({Sabato}));
    EXPECT_EQ(StimaEstrazioniMancanti(inizio, D(1, 4, 1939)), 3);
    EXPECT_EQ(StimaEstrazioniMancanti(std::vector<Data>{D(5, 1, 1939)}, D(19, 1, 1939)), 2); // a Thursday

    EXPECT_EQ(StimaEstrazioniMancanti(std::vector<Data>{}, D(1, 1, 2026)), 0);
    EXPECT_EQ(GiorniDiEstrazione({}), Giorni({}));
    (void)Domenica;
    (void)Lunedi;
}

TEST(EstrazioniMancanti, ArchivioReale) {
    const auto& a = ArchivioReale();
    EXPECT_EQ(StimaEstrazioniMancanti(a, D(21, 8, 2026)), 0);
    EXPECT_EQ(StimaEstrazioniMancanti(a, D(26, 8, 2026)), 2); // Saturday 22 and Tuesday 25
    EXPECT_EQ(StimaEstrazioniMancanti(a, D(9, 12, 2026)), 62);
}
