// SPDX-License-Identifier: GPL-3.0-or-later
// The states of the mini list and the delays window: what each operation keeps, clears and refuses.
#include <gtest/gtest.h>

#include <stdexcept>

#include "Supporto.h"
#include "core/analysis/StatoMiniElenco.h"
#include "core/analysis/StatoRitardi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {
using Segno = StatoMiniElenco::Segno;
} // namespace

TEST(StatoMiniElenco, MarcheDeiNumeriPerEstrazioneQuelleDeiCodiciRestano) {
    StatoMiniElenco s;
    EXPECT_EQ(s.Estrazione(), 0);
    // No draw outside the archive; a refused move keeps the draw and the marks.
    EXPECT_FALSE(s.Mostra(0, 5));
    EXPECT_FALSE(s.Mostra(6, 5));
    ASSERT_TRUE(s.Mostra(5, 5));
    EXPECT_TRUE(s.Alterna(2, 1));
    EXPECT_TRUE(s.Alterna(3, 0));
    EXPECT_FALSE(s.Mostra(9, 5));
    EXPECT_EQ(s.Estrazione(), 5);
    EXPECT_EQ(s.SegnoCella(2, 1), Segno::Marcato);

    // Another draw (or the same one again) clears the numbers' marks, never the codes'.
    ASSERT_TRUE(s.Mostra(5, 5));
    EXPECT_EQ(s.SegnoCella(2, 1), Segno::Nessuno);
    EXPECT_EQ(s.SegnoCella(3, 0), Segno::Marcato);

    // A second click takes the mark off; clicks outside the table change nothing.
    EXPECT_TRUE(s.Alterna(10, 5));
    EXPECT_TRUE(s.Alterna(10, 5));
    EXPECT_EQ(s.SegnoCella(10, 5), Segno::Nessuno);
    for (auto [r, c] : {std::pair{-1, 0}, {11, 0}, {0, -1}, {0, 6}})
        EXPECT_FALSE(s.Alterna(r, c)) << r << "," << c;
    EXPECT_EQ(s.SegnoCella(11, 0), Segno::Nessuno);

    // The reset: numbers plain, codes raised; a raised code marked and unmarked ends plain.
    s.Alterna(0, 3);
    s.Resetta();
    for (int w = 0; w < StatoMiniElenco::Righe; ++w) {
        EXPECT_EQ(s.SegnoCella(w, 0), Segno::Rilievo);
        for (int c = 1; c < StatoMiniElenco::Colonne; ++c)
            EXPECT_EQ(s.SegnoCella(w, c), Segno::Nessuno);
    }
    s.Alterna(4, 0);
    EXPECT_EQ(s.SegnoCella(4, 0), Segno::Marcato);
    s.Alterna(4, 0);
    EXPECT_EQ(s.SegnoCella(4, 0), Segno::Nessuno);
    EXPECT_EQ(s.SegnoCella(5, 0), Segno::Rilievo);
}

TEST(StatoMiniElenco, TestiDellEstrazioneMostrata) {
    const auto a = ArchivioAMano({{"01-02-03-04-05"}, {"90-07-08-09-10", "----", "11-12-13-14-15"}});
    StatoMiniElenco s;
    auto t = TabellaMiniElenco(a, s);
    EXPECT_EQ(t.Intestazione, "Ruota| N1 | N2 | N3 | N4 | N5 ");
    ASSERT_EQ(t.Righe.size(), 11u);
    EXPECT_EQ(t.Righe[0], (std::vector<std::string>{"BA", "", "", "", "", ""})); // no draw yet
    EXPECT_EQ(t.Righe[10][0], "NZ");
    ASSERT_TRUE(s.Mostra(2, a.NumeroEstrazioni));
    t = TabellaMiniElenco(a, s);
    EXPECT_EQ(t.Righe[0], (std::vector<std::string>{"BA", "90", "7", "8", "9", "10"}));
    EXPECT_EQ(t.Righe[1], (std::vector<std::string>{"CA", "0", "0", "0", "0", "0"})); // an empty wheel
    EXPECT_EQ(t.Righe[2][5], "15");
    // A reload that shortened the archive under the draw shown: numbers left empty, nothing read past it.
    const auto corto = ArchivioAMano({{"01-02-03-04-05"}});
    t = TabellaMiniElenco(corto, s);
    EXPECT_EQ(t.Righe[0], (std::vector<std::string>{"BA", "", "", "", "", ""}));
}

TEST(StatoRitardi, MarcheRuoteEFiltro) {
    TabellaRitardi r;
    r.Estrazione = 7;
    r.Ritardi[90][10] = 123;
    RuoteGioco ruote{};
    ruote[2] = true;
    StatoRitardi s(r, {5, 90, 5}, ruote);
    EXPECT_TRUE(s.Marcato(5));
    EXPECT_TRUE(s.Marcato(90));
    EXPECT_FALSE(s.Marcato(6));
    EXPECT_FALSE(s.Marcato(0));
    EXPECT_FALSE(s.Marcato(91));
    EXPECT_TRUE(s.RuotaEvidenziata(2));
    EXPECT_FALSE(s.RuotaEvidenziata(3));
    EXPECT_FALSE(s.RuotaEvidenziata(11));
    EXPECT_EQ(s.Ritardi().Estrazione, 7);
    const auto t = s.Tabella();
    ASSERT_EQ(t.Righe.size(), 90u);
    EXPECT_EQ(t.Righe[89][1], "90");
    EXPECT_EQ(t.Righe[89][12], "123");

    // Unfiltered every number is listed; filtered only the marked ones, and back.
    for (int n = 1; n <= 90; ++n)
        EXPECT_TRUE(s.Visibile(n));
    s.Filtra();
    EXPECT_TRUE(s.Filtrata());
    int visibili = 0;
    for (int n = 1; n <= 90; ++n)
        visibili += s.Visibile(n);
    EXPECT_EQ(visibili, 2);
    EXPECT_TRUE(s.Visibile(90));
    s.MostraTutti();
    EXPECT_TRUE(s.Visibile(6));

    // Nothing marked: the filter lists nothing.
    StatoRitardi vuoto;
    vuoto.Filtra();
    for (int n = 1; n <= 90; ++n)
        EXPECT_FALSE(vuoto.Visibile(n));
}

TEST(StatoRitardi, NumeroFuoriTabellaRifiutato) {
    for (int n : {0, 91, -3})
        EXPECT_THROW(StatoRitardi({}, {1, n}, {}), std::out_of_range) << n;
}
