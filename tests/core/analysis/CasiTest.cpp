// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/analysis/Casi.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(Casi, OrdinaleDelMeseDalPiuRecente) {
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione; // 21/08/2026, the 12th draw of August
    const auto casi = GeneraCasi(a, {ultima, 12, 12, false, 0});
    ASSERT_EQ(casi.size(), 12u);
    EXPECT_EQ(casi[0].Estrazione, ultima);
    for (size_t i = 0; i < casi.size(); ++i) {
        EXPECT_EQ(a.PosizioneMese[casi[i].Estrazione], 12);
        if (i) {
            EXPECT_LT(casi[i].Estrazione, casi[i - 1].Estrazione);
        }
    }
    // Reference moved back: nothing after it.
    for (const auto& c : GeneraCasi(a, {5000, 30, 1, false, 4}))
        EXPECT_LE(c.Estrazione, 5000);
}

TEST(Casi, UltimaDelMeseEForzaUltima) {
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione;
    const auto senza = GeneraCasi(a, {ultima, 3, 0, false, 0});
    ASSERT_EQ(senza.size(), 3u);
    EXPECT_EQ(a.DateEstrazioni[senza[0].Estrazione], "31/07/2026"); // the last draw is never a case
    for (const auto& c : senza)
        EXPECT_EQ(a.PosizioneMese[c.Estrazione + 1], 1);
    const auto con = GeneraCasi(a, {ultima, 3, 0, true, 0});
    EXPECT_EQ(con[0].Estrazione, ultima);
    EXPECT_EQ(con[1].Estrazione, senza[0].Estrazione);
    // With the reference draw before the last draw, "Forza ultima" changes nothing.
    EXPECT_EQ(GeneraCasi(a, {ultima - 1, 3, 0, true, 0}), GeneraCasi(a, {ultima - 1, 3, 0, false, 0}));
}

TEST(Casi, ParametriDallaRuotaDiBase) {
    const auto& a = ArchivioReale();
    auto casi = GeneraCasi(a, {a.UltimaEstrazione, 2, 12, false, 0});
    CalcolaParametri(a, casi, {});
    // 21/08/2026 Bari 81-63-87-20-64: 315 mod 90 = 45.
    EXPECT_EQ(casi[0].Parametro, 45);
    EXPECT_EQ(casi[0].Ruota, 0);
    CalcolaParametri(a, casi, {{true, false, true, false, false}, Operazione::Distanza, 0, 0});
    EXPECT_EQ(casi[0].Parametro, 6); // |81 - 87|
}
