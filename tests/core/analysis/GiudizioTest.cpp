// SPDX-License-Identifier: GPL-3.0-or-later
// The verdict in words: the three thresholds on p worked by hand on both sides of 0,05 and 0,01, the
// sentence with its numbers, and the count of settings tried behind the reminder.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/analysis/Giudizio.h"
#include "core/analysis/ImpostazioniProvate.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// 200 simulated bests: `cinque` of 5, `sei` of 6, the rest of 7.
std::vector<int> Simulati(int cinque, int sei) {
    std::vector<int> v(static_cast<size_t>(cinque), 5);
    v.insert(v.end(), static_cast<size_t>(sei), 6);
    v.resize(200, 7);
    return v;
}

/// Ten trials of chance 0,1 each, the first `vinte` of them won.
EsitoRetroattivo DieciProve(int vinte) {
    EsitoRetroattivo e;
    std::vector<double> p;
    for (int i = 0; i < 10; ++i) {
        ProvaRetroattiva t;
        t.Riferimento = i + 1;
        t.Vinta = i < vinte;
        t.Probabilita = 0.1;
        e.Prove.push_back(t);
        e.Vincite += t.Vinta;
        e.Attese += t.Probabilita;
        p.push_back(t.Probabilita);
    }
    e.P = CodaPoissonBinomiale(p, e.Vincite);
    return e;
}

} // namespace

TEST(Giudizio, SoglieDelP) {
    // The shares a run of 200 simulations can give on each side of the two thresholds.
    EXPECT_EQ(VerdettoPerP(1), Verdetto::AllaPortata);
    EXPECT_EQ(VerdettoPerP(10.0 / 200), Verdetto::AllaPortata);
    EXPECT_EQ(VerdettoPerP(9.0 / 200), Verdetto::PocoOltre);
    EXPECT_EQ(VerdettoPerP(2.0 / 200), Verdetto::PocoOltre);
    EXPECT_EQ(VerdettoPerP(1.0 / 200), Verdetto::Oltre);
    EXPECT_EQ(VerdettoPerP(0), Verdetto::Oltre);
    EXPECT_STREQ(TestoVerdetto(Verdetto::AllaPortata), "Alla portata del caso");
    EXPECT_STREQ(TestoVerdetto(Verdetto::PocoOltre), "Poco oltre il caso");
    EXPECT_STREQ(TestoVerdetto(Verdetto::Oltre), "Oltre il caso");
}

TEST(Giudizio, MiglioreDellElencoControGliArchiviCasuali) {
    const MiglioreGiudicato terzina{0, false, 12, 200};
    // 10 of 200 reach 7: p = 0,050. The median falls between the 100th (5) and the 101st (6).
    auto g = GiudicaMigliore(terzina, Confronta(Simulati(100, 90), 7));
    EXPECT_EQ(g.Esito, Verdetto::AllaPortata);
    EXPECT_EQ(g.Testo,
              "Alla portata del caso: la prima terzina dell'elenco copre 7 casi su 12; in 200 archivi "
              "estratti a caso la migliore ne copre 5,5 (mediana) e arriva almeno a 7 in 10 archivi "
              "su 200.");
    EXPECT_EQ(g.Avvertenza, "");
    // 9 of 200: p = 0,045.
    g = GiudicaMigliore(terzina, Confronta(Simulati(101, 90), 7));
    EXPECT_EQ(g.Testo,
              "Poco oltre il caso: la prima terzina dell'elenco copre 7 casi su 12; in 200 archivi "
              "estratti a caso la migliore ne copre 5 (mediana) e arriva almeno a 7 in 9 archivi su 200.");
    // 2 of 200: p = 0,010, still "poco oltre"; 1 of 200: p = 0,005.
    EXPECT_EQ(GiudicaMigliore(terzina, Confronta(Simulati(110, 88), 7)).Esito, Verdetto::PocoOltre);
    g = GiudicaMigliore(terzina, Confronta(Simulati(111, 88), 7));
    EXPECT_EQ(g.Testo,
              "Oltre il caso: la prima terzina dell'elenco copre 7 casi su 12; in 200 archivi estratti a "
              "caso la migliore ne copre 5 (mediana) e arriva almeno a 7 in 1 archivio su 200.");
    // None reaches it: p = 0, which is not "never".
    g = GiudicaMigliore({3, false, 12, 200}, Confronta(Simulati(100, 90), 12));
    EXPECT_EQ(g.Testo,
              "Oltre il caso: la migliore combinazione di 3 terzine copre 12 casi su 12; in 200 archivi "
              "estratti a caso la migliore ne copre 5,5 (mediana) e in nessuno arriva a 12.");
    // All of them reach it.
    g = GiudicaMigliore({1, false, 1, 200}, Confronta(std::vector<int>(200, 1), 1));
    EXPECT_EQ(g.Testo,
              "Alla portata del caso: la migliore combinazione di 1 terzina copre 1 caso su 1; in 200 "
              "archivi estratti a caso la migliore ne copre 1 (mediana) e in tutti arriva almeno a 1.");
}

TEST(Giudizio, InteroPeriodoContaLeVincite) {
    const auto s = Confronta(Simulati(100, 90), 7);
    EXPECT_EQ(
        GiudicaMigliore({0, true, 12, 200}, s).Testo,
        "Alla portata del caso: la prima terzina dell'elenco vince 7 volte in 12 casi; in 200 archivi "
        "estratti a caso la migliore vince 5,5 volte (mediana) e arriva almeno a 7 in 10 archivi su 200.");
    // A combination counts covered cases, whole period or not.
    EXPECT_NE(GiudicaMigliore({2, true, 12, 200}, s).Testo.find("copre 7 casi su 12"), std::string::npos);
}

TEST(Giudizio, VerificaRetroattivaSuDieciProve) {
    // Ten trials of chance 0,1: P(X >= 3) = 0,0702, P(X >= 4) = 0,0128, P(X >= 5) = 0,0016.
    auto e = DieciProve(3);
    ASSERT_NEAR(e.P, 0.0701908264, 1e-9);
    EXPECT_EQ(
        GiudicaRetroattivo(e).Testo,
        "Alla portata del caso: in 10 prove il metodo ha vinto 3 volte; giocando numeri scelti a caso se ne "
        "attendono 1,00, e per puro caso se ne fanno almeno 3 circa 7 volte su 100.");
    e = DieciProve(4);
    ASSERT_NEAR(e.P, 0.0127951984, 1e-9);
    EXPECT_EQ(
        GiudicaRetroattivo(e).Testo,
        "Poco oltre il caso: in 10 prove il metodo ha vinto 4 volte; giocando numeri scelti a caso se ne "
        "attendono 1,00, e per puro caso se ne fanno almeno 4 circa una volta su 100.");
    e = DieciProve(5);
    ASSERT_NEAR(e.P, 0.0016349374, 1e-9);
    EXPECT_EQ(GiudicaRetroattivo(e).Testo,
              "Oltre il caso: in 10 prove il metodo ha vinto 5 volte; giocando numeri scelti a caso se ne "
              "attendono 1,00, e per puro caso se ne fanno almeno 5 circa 2 volte su 1.000.");
    e = DieciProve(0);
    EXPECT_EQ(GiudicaRetroattivo(e).Testo, "Alla portata del caso: in 10 prove il metodo non ha mai vinto; "
                                           "giocando numeri scelti a caso se ne attendono 1,00.");
    EXPECT_EQ(GiudicaRetroattivo(EsitoRetroattivo{}).Testo,
              "Alla portata del caso: nel periodo non c'è nessuna prova da giudicare.");
    // Just under 0,01 the chance reads in thousandths, so that "Oltre il caso" never says one time in 100.
    e = DieciProve(5);
    e.P = 0.0092;
    EXPECT_EQ(GiudicaRetroattivo(e).Esito, Verdetto::Oltre);
    EXPECT_NE(GiudicaRetroattivo(e).Testo.find("almeno 5 circa 9 volte su 1.000."), std::string::npos);
    e.P = 0.012;
    EXPECT_EQ(GiudicaRetroattivo(e).Esito, Verdetto::PocoOltre);
    EXPECT_NE(GiudicaRetroattivo(e).Testo.find("almeno 5 circa una volta su 100."), std::string::npos);
    // A chance far below one in a thousand is not rounded to zero.
    e = DieciProve(10);
    EXPECT_NE(GiudicaRetroattivo(e).Testo.find("meno di una volta su 1.000."), std::string::npos);
}

TEST(Giudizio, AvvertenzaDopoMolteImpostazioni) {
    const auto s = Confronta(Simulati(111, 88), 7);
    EXPECT_EQ(GiudicaMigliore({0, false, 12, 200}, s, SogliaImpostazioniProvate - 1).Avvertenza, "");
    const auto g = GiudicaMigliore({0, false, 12, 200}, s, 7);
    EXPECT_EQ(g.Testo.rfind("Oltre il caso: ", 0), 0u); // the verdict itself does not change
    EXPECT_EQ(g.Avvertenza,
              "Attenzione: sono state provate 7 impostazioni diverse, e fra tante una che sembra oltre "
              "il caso capita anche per pura fortuna (in media una su 20 arriva almeno a \"Poco oltre "
              "il caso\" e una su 100 a \"Oltre il caso\").");
    EXPECT_EQ(GiudicaRetroattivo(DieciProve(4), 5).Avvertenza, AvvertenzaImpostazioni(5));
}

TEST(Giudizio, CasiGiudicatiEImpostazioniProvate) {
    InputRicerca in;
    in.Casi = {{10, 0, 1}, {20, 0, 2}, {30, 0, 3}};
    in.Coperti = {false, true};
    EXPECT_EQ(CasiGiudicati(in, 0), 2); // the covered case is skipped by the search
    EXPECT_EQ(CasiGiudicati(in, 2), 3); // a combination counts every case

    ImpostazioniProvate provate;
    in.Ruote[0] = true;
    EXPECT_EQ(provate.Registra(in), 1);
    in.Elenco = 200; // the same best: the same setting
    EXPECT_EQ(provate.Registra(in), 1);
    in.Finestra.Colpi = 9;
    EXPECT_EQ(provate.Registra(in), 2);
    in.Casi[2].Parametro = 4; // another transformation or fixed number
    EXPECT_EQ(provate.Registra(in), 3);
    in.Coperti = {};
    EXPECT_EQ(provate.Registra(in), 4);
    // Walk-forward runs are counted apart.
    SceltaVerificaRetroattiva v;
    EXPECT_EQ(provate.Registra(v), 1);
    EXPECT_EQ(provate.Registra(v), 1);
    v.Casi.Mensile = 12;
    EXPECT_EQ(provate.Registra(v), 2);
    v.Parametro.Posizioni[4] = false;
    EXPECT_EQ(provate.Registra(v), 3);
    EXPECT_EQ(provate.Registra(in), 4);
}
