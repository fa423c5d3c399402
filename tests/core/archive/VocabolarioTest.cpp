// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "core/archive/TabelleNumeri.h"
#include "core/archive/Vocabolario.h"

using namespace trivalto;

TEST(Vocabolario, CellaDiRuotaConFetteFisse) {
    EXPECT_EQ(LeggiCellaRuota("07-45-12-90-33"), (NumeriRuota{7, 45, 12, 90, 33}));
    EXPECT_EQ(LeggiCellaRuota("----"), (NumeriRuota{0, 0, 0, 0, 0}));
    // The slices are fixed, so an unpadded first number shifts everything.
    EXPECT_EQ(LeggiCellaRuota("7-45-12-90-33"), (NumeriRuota{7, 5, 2, 0, 3}));
    EXPECT_EQ(LeggiCellaRuota("01-02"), (NumeriRuota{1, 2, 0, 0, 0}));
    EXPECT_EQ(LeggiCellaRuota(""), (NumeriRuota{}));
    EXPECT_EQ(LeggiCellaRuota("ab-0x-12-9 -33"), (NumeriRuota{0, 0, 12, 9, 33}));
}

TEST(Vocabolario, ScritturaDellaCella) {
    EXPECT_EQ(ScriviCellaRuota({"07", "45", "12", "90", "33"}), "07-45-12-90-33");
    EXPECT_EQ(ScriviCellaRuota({"", "", "", "", ""}), "----");
    EXPECT_EQ(CellaDaNumeri({5, 17, 33, 48, 90}), "05-17-33-48-90");
    EXPECT_EQ(CellaDaNumeri({}), "----");
}

TEST(Vocabolario, RuoteECodici) {
    EXPECT_EQ(NomiRuote[10], "Nazionale");
    EXPECT_EQ(CodiciRuote[11], "TU");
    EXPECT_EQ(IndiceCodiceRuota("ro"), 7);
    EXPECT_EQ(IndiceCodiceRuota("NZ"), 10);
    EXPECT_EQ(IndiceCodiceRuota("TU"), -1); // no wheel 11 in a draw
    EXPECT_EQ(IndiceCodiceRuota("RM"), -1);
}

TEST(Vocabolario, DateDelleEstrazioni) {
    Data d;
    ASSERT_TRUE(LeggiDataTesto("22/12/2022", d));
    EXPECT_EQ(IsoData(d), "2022-12-22");
    EXPECT_EQ(MeseDiData("02/12/2023"), 12);
    EXPECT_EQ(AnnoDiData("02/12/2023"), 2023);
    EXPECT_FALSE(LeggiDataTesto("2/12/2023", d));
    EXPECT_FALSE(LeggiDataTesto("31/04/2023", d));
    EXPECT_FALSE(LeggiDataTesto("29/02/2023", d));
    EXPECT_TRUE(LeggiDataTesto("29/02/2024", d));
    ASSERT_TRUE(LeggiDataIso("1939/01/07", d));
    EXPECT_EQ(TestoData(d), "07/01/1939");
    EXPECT_EQ(MeseDiData("non è una data"), 0);
}

TEST(TabelleNumeri, DiametraliEDiametraliInDecina) {
    const auto& t = Tabelle();
    EXPECT_EQ(t.TabDiametrale[45], 90);
    EXPECT_EQ(t.TabDiametrale[46], 1);
    EXPECT_EQ(t.TabDiametrale[90], 45);
    const std::pair<int, int> decina[] = {{5, 90}, {90, 5}, {10, 15}, {15, 10}, {85, 80}, {89, 84}, {1, 6}};
    for (auto [n, atteso] : decina)
        EXPECT_EQ(t.TabDiamDecina[n], atteso) << n;
    // Every entry is a number 1..90 and both tables are involutions.
    for (int n = 1; n <= 90; ++n) {
        EXPECT_EQ(t.TabDiamDecina[t.TabDiamDecina[n]], n) << n;
        EXPECT_EQ(t.TabDiametrale[t.TabDiametrale[n]], n) << n;
        EXPECT_EQ(t.TabVertibile[t.TabVertibile[n]], n) << n;
        EXPECT_GE(t.TabVertibile[n], 1);
        EXPECT_LE(t.TabVertibile[n], 90);
    }
}

TEST(TabelleNumeri, AltreFormazioni) {
    const auto& t = Tabelle();
    const std::pair<int, int> vertibili[] = {{5, 50}, {10, 1},  {12, 21}, {90, 9},
                                             {9, 90}, {11, 19}, {19, 11}, {88, 89}};
    for (auto [n, atteso] : vertibili)
        EXPECT_EQ(t.TabVertibile[n], atteso) << n;
    for (int n : {1, 10, 11, 19})
        EXPECT_EQ(t.TabGruppoVertibile[n], 1) << n;
    for (int n : {8, 80, 88, 89})
        EXPECT_EQ(t.TabGruppoVertibile[n], 8) << n;
    for (int n : {9, 90, 12})
        EXPECT_EQ(t.TabGruppoVertibile[n], 0) << n;
    EXPECT_EQ(t.TabDecina[9], 0);
    EXPECT_EQ(t.TabDecina[19], 1);
    EXPECT_EQ(t.TabDecina[89], 8);
    EXPECT_EQ(t.TabDecina[90], 0);
    EXPECT_EQ(t.TabUnita[27], 7);
    EXPECT_EQ(t.TabUnita[90], 0);
    EXPECT_EQ(t.TabFigura[9], 9);
    EXPECT_EQ(t.TabFigura[10], 1);
    EXPECT_EQ(t.TabFigura[90], 9);
    EXPECT_EQ(t.TabModulo30[31], 1);
    EXPECT_EQ(t.TabModulo30[90], 30);
    EXPECT_EQ(t.TabModulo30[60], 30);
}

TEST(Vocabolario, AnniSecolari) {
    // A century year is leap only when divisible by 400: 1900 and 2100 have no 29 February, 2000 has.
    Data d;
    for (const char* testo : {"29/02/1900", "29/02/2100", "30/02/2000"}) {
        EXPECT_FALSE(LeggiDataTesto(testo, d)) << testo;
        EXPECT_EQ(MeseDiData(testo), 0) << testo; // not a date, so no month and no year
        EXPECT_EQ(AnnoDiData(testo), 0) << testo;
    }
    ASSERT_TRUE(LeggiDataTesto("29/02/2000", d));
    EXPECT_EQ(IsoData(d), "2000-02-29");
    EXPECT_EQ(MeseDiData("29/02/2000"), 2);
    EXPECT_EQ(AnnoDiData("29/02/2000"), 2000);
    EXPECT_TRUE(LeggiDataTesto("28/02/1900", d));
    EXPECT_TRUE(LeggiDataTesto("29/02/1944", d));
    for (const char* iso : {"1900-02-29", "2100/02/29"})
        EXPECT_FALSE(LeggiDataIso(iso, d)) << iso;
    ASSERT_TRUE(LeggiDataIso("2000/02/29", d));
    EXPECT_EQ(TestoData(d), "29/02/2000");
    EXPECT_FALSE(DataValida({29, 2, 2100}));
    EXPECT_TRUE(DataValida({29, 2, 2400}));
    EXPECT_TRUE(DataValida({31, 12, 1900}));
}
