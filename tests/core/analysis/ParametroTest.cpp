// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/analysis/Casi.h"
#include "core/analysis/Parametro.h"

using namespace trivalto;

namespace {
constexpr PosizioniAbilitate Tutte{true, true, true, true, true};
constexpr PosizioniAbilitate Solo(int p, int q) {
    PosizioniAbilitate r{};
    r[p - 1] = true;
    r[q - 1] = true;
    return r;
}
} // namespace

TEST(Parametro, SommaDistanzaDifferenza) {
    EXPECT_EQ(CalcolaParametro({45, 46, 1, 2, 86}, Tutte, Operazione::Somma, 0, 0), 90); // 180 -> 0 -> 90
    EXPECT_EQ(CalcolaParametro({7, 30, 12, 55, 81}, Solo(2, 4), Operazione::Somma, 0, 0), 85);
    EXPECT_EQ(CalcolaParametro({1, 90, 0, 0, 0}, Solo(1, 2), Operazione::Distanza, 0, 0), 1);
    EXPECT_EQ(CalcolaParametro({10, 55, 0, 0, 0}, Solo(1, 2), Operazione::Distanza, 0, 0), 45);
    EXPECT_EQ(CalcolaParametro({10, 56, 0, 0, 0}, Solo(1, 2), Operazione::Distanza, 0, 0), 44);
    EXPECT_EQ(CalcolaParametro({1, 90, 0, 0, 0}, Solo(1, 2), Operazione::Differenza, 0, 0), 89);
    EXPECT_EQ(CalcolaParametro({3, 9, 50, 7, 1}, Solo(3, 5), Operazione::Differenza, 0, 0), 49);
    EXPECT_EQ(CalcolaParametro({10, 55, 0, 0, 0}, Solo(1, 2), Operazione::Distanza, 2, 0), 46); // 45 -> 46
    EXPECT_EQ(CalcolaParametro({10, 55, 0, 0, 0}, PosizioniAbilitate{}, Operazione::Somma, 0, 0), 90);
}

TEST(Parametro, Trasformazioni) {
    EXPECT_EQ(Trasforma(11, 1, 0), 19);
    EXPECT_EQ(Trasforma(19, 1, 0), 11);
    EXPECT_EQ(Trasforma(90, 1, 0), 9);
    EXPECT_EQ(Trasforma(9, 1, 0), 90);
    EXPECT_EQ(Trasforma(10, 1, 0), 1);
    EXPECT_EQ(Trasforma(90, 2, 0), 1);
    EXPECT_EQ(Trasforma(1, 2, 0), 90);
    EXPECT_EQ(Trasforma(45, 3, 0), 90);
    EXPECT_EQ(Trasforma(90, 3, 0), 45);
    for (auto [x, y] : {std::pair{5, 90}, {90, 5}, {10, 15}, {15, 10}, {1, 6}, {6, 1}})
        EXPECT_EQ(Trasforma(x, 4, 0), y);
    EXPECT_EQ(Trasforma(90, 5, 0), 9);
    EXPECT_EQ(Trasforma(10, 5, 0), 1);
    for (int x = 1; x <= 90; ++x) {
        EXPECT_EQ(Trasforma(x, 6, 0), x);
        EXPECT_EQ(Trasforma(x, 7, 37), 0);
        EXPECT_EQ(Trasforma(x, 8, 0), x); // the empty ninth entry
    }
    EXPECT_EQ(Trasforma(1, 6, 89), 90);
    EXPECT_EQ(Trasforma(2, 6, 89), 1);
    EXPECT_EQ(NomiTrasformazioni[7], "7-Nulla");
    EXPECT_EQ(NomiTrasformazioni[8], "");
}

TEST(Parametro, RuotaDiBaseVuotaRestaNellIntervallo) {
    // Genova has no numbers on 07/01/1939: its distance is 0 and every transformation keeps the
    // parameter inside 0..90 (the complement of 0 would otherwise be 91).
    const auto& a = test::ArchivioReale();
    ASSERT_EQ(a.Numeri(1, 3), NumeriRuota{});
    for (auto op : {Operazione::Distanza, Operazione::Differenza})
        for (int t = 0; t < VociTrasformazione; ++t)
            for (int f : {0, 45, 89}) {
                const int p = CalcolaParametro(a.Numeri(1, 3), Solo(1, 2), op, t, f);
                EXPECT_GE(p, 0);
                EXPECT_LE(p, 90) << "trasformazione " << t;
            }
    EXPECT_EQ(CalcolaParametro(a.Numeri(1, 3), Solo(1, 2), Operazione::Distanza, 2, 0), 0);
}

TEST(Parametro, RegolaDellePosizioni) {
    EXPECT_EQ(RegolaPosizioni(0), EffettoPosizioni::NessunCambio);
    EXPECT_EQ(RegolaPosizioni(1), EffettoPosizioni::SoloSomma);
    EXPECT_EQ(RegolaPosizioni(2), EffettoPosizioni::AbilitaDistanze);
    EXPECT_EQ(RegolaPosizioni(3), EffettoPosizioni::SoloSomma);
    EXPECT_EQ(RegolaPosizioni(5), EffettoPosizioni::SoloSomma);
}
