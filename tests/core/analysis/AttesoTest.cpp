// SPDX-License-Identifier: GPL-3.0-or-later
// Chance beside the results: the exact chance of a hit against every draw enumerated, the play windows
// counted by hand, simulations reproducible by seed, and the walk-forward on a planted pattern and on
// random archives.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>

#include "Supporto.h"
#include "core/analysis/Atteso.h"
#include "core/analysis/VerificaRetroattiva.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(Atteso, ProbabilitaControTutteLeEstrazioni) {
    // Every draw of five numbers of 90, and the terzine drawn from 1..9 so a draw reads as a mask of them.
    const std::vector<std::vector<NumeriGiocati>> giochi = {
        {{1, 2, 3}}, {{1, 2, 3}, {4, 5, 6}}, {{1, 2, 3}, {3, 4, 5}}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}};
    std::vector<std::vector<uint32_t>> maschere;
    for (const auto& g : giochi) {
        maschere.emplace_back();
        for (const auto& t : g)
            maschere.back().push_back((1u << t[0]) | (1u << t[1]) | (1u << t[2]));
    }
    std::vector<long long> vincenti(giochi.size(), 0);
    long long tutte = 0;
    for (int a = 1; a <= 86; ++a)
        for (int b = a + 1; b <= 87; ++b)
            for (int c = b + 1; c <= 88; ++c)
                for (int d = c + 1; d <= 89; ++d)
                    for (int e = d + 1; e <= 90; ++e) {
                        ++tutte;
                        uint32_t m = 0;
                        for (int x : {a, b, c, d, e})
                            if (x <= 9) m |= 1u << x;
                        if (!m) continue;
                        for (size_t g = 0; g < giochi.size(); ++g)
                            for (uint32_t t : maschere[g])
                                if (std::popcount(m & t) >= 2) {
                                    ++vincenti[g];
                                    break;
                                }
                    }
    ASSERT_EQ(tutte, 43949268);
    EXPECT_EQ(vincenti[0], 321726);
    for (size_t g = 0; g < giochi.size(); ++g)
        EXPECT_NEAR(ProbabilitaSuccesso(giochi[g]), static_cast<double>(vincenti[g]) / tutte, 1e-15) << g;
    EXPECT_DOUBLE_EQ(ProbabilitaDisgiunte(2), ProbabilitaSuccesso(giochi[1]));
    EXPECT_DOUBLE_EQ(ProbabilitaDisgiunte(3), ProbabilitaSuccesso(giochi[3]));
    // Many terzine: no terzina gets two numbers when each gives at most one, C(K,j)·3^j·C(90-3K,5-j) draws.
    for (int K : {7, 12}) {
        double perdenti = 0;
        for (int j = 0; j <= 5; ++j)
            perdenti += std::tgamma(K + 1.0) / std::tgamma(j + 1.0) / std::tgamma(K - j + 1.0) *
                        std::pow(3, j) * std::tgamma(91.0 - 3 * K) / std::tgamma(6.0 - j) /
                        std::tgamma(86.0 - 3 * K + j);
        EXPECT_NEAR(ProbabilitaDisgiunte(K), 1 - perdenti / tutte, 1e-12) << K;
    }
}

TEST(Atteso, GiocateDelleFinestreEPosAtteso) {
    // Bari and Cagliari played, 2 colpi, reference 5. Case 1 at draw 1 plays draws 2 and 3: draw 3 has
    // Cagliari empty (3 draw-wheels). Case 2 at draw 4 plays draw 5 only (the reference), both wheels
    // (2). Case 3 at draw 2 is covered: it counts for nothing.
    const auto a = ArchivioAMano({{"01-02-03-04-05", "06-07-08-09-10"},
                                  {"01-02-03-04-05", "06-07-08-09-10"},
                                  {"01-02-03-04-05", "----"},
                                  {"01-02-03-04-05", "06-07-08-09-10"},
                                  {"01-02-03-04-05", "06-07-08-09-10"},
                                  {"01-02-03-04-05", "06-07-08-09-10"}});
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = {{1, 0, 10}, {4, 0, 20}, {2, 0, 30}};
    in.Coperti = {false, false, true};
    in.Ruote[0] = in.Ruote[1] = true;
    in.Finestra = {1, 2, 5};
    EXPECT_EQ(GiocatePerCaso(in), (std::vector<int>{3, 2, 0}));
    const double p = 321726.0 / 43949268.0;
    EXPECT_NEAR(CalcolaAtteso(in).Pos, (1 - std::pow(1 - p, 3)) + (1 - std::pow(1 - p, 2)), 1e-12);
    in.InteroPeriodo = true;
    EXPECT_NEAR(CalcolaAtteso(in).Pos, 5 * p, 1e-12);
    // A combination counts the covered case too (draws 3 and 4: Cagliari empty on 3).
    const double q = ProbabilitaDisgiunte(2);
    EXPECT_NEAR(CalcolaAtteso(in, 2).Cop,
                (1 - std::pow(1 - q, 3)) + (1 - std::pow(1 - q, 2)) + (1 - std::pow(1 - q, 3)), 1e-12);
}

TEST(Atteso, AperturaSullArchivioReale) {
    const auto& a = ArchivioReale();
    const int r = a.UltimaEstrazione;
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = GeneraCasi(a, {r, 12, a.PosizioneMese[static_cast<size_t>(r)], false, 0});
    CalcolaParametri(a, in.Casi, {});
    in.Ruote[0] = true;
    in.Finestra = {1, 8, r};
    EXPECT_EQ(std::lround(CalcolaAtteso(in).Pos * 100), 63);

    // The simulations: the same seed gives the same tops whatever the threads, another seed others.
    const auto uno = SimulaMigliori(in, {40, 7, 0, 1});
    const auto due = SimulaMigliori(in, {40, 7, 0, 2});
    EXPECT_EQ(uno.TopPos, due.TopPos);
    EXPECT_NE(SimulaMigliori(in, {40, 8, 0, 2}).TopPos, uno.TopPos);
    // The best of 117,480 terzine is far above what one terzina fixed in advance is expected to win.
    const auto c = Confronta(uno.TopPos, 5);
    EXPECT_GE(c.Mediana, 4);
    EXPECT_GE(c.Percentile95, c.Mediana);
    std::atomic<bool> stop{true};
    EXPECT_TRUE(SimulaMigliori(in, {40, 7, 0, 2}, {&stop, {}}).Interrotta);
}

// A simulated draw is a fair draw: five distinct numbers of 1..90, each number, and each number in
// the first place, as likely as any other.
TEST(Atteso, EstrazioneSimulataEquilibrata) {
    std::mt19937_64 gen(2026);
    const int estrazioni = 90000;
    std::array<int, 91> volte{}, primi{};
    for (int i = 0; i < estrazioni; ++i) {
        const auto n = EstrazioneCasuale(gen);
        ++primi[static_cast<size_t>(n[0])];
        for (int p = 0; p < NumeriPerRuota; ++p) {
            ASSERT_GE(n[static_cast<size_t>(p)], 1);
            ASSERT_LE(n[static_cast<size_t>(p)], 90);
            for (int q = 0; q < p; ++q)
                ASSERT_NE(n[static_cast<size_t>(p)], n[static_cast<size_t>(q)]);
            ++volte[static_cast<size_t>(n[static_cast<size_t>(p)])];
        }
    }
    // 5,000 expected of each number (standard deviation about 69), 1,000 in the first place (about 31).
    for (int x = 1; x <= 90; ++x) {
        EXPECT_NEAR(volte[static_cast<size_t>(x)], estrazioni * 5 / 90, 350) << x;
        EXPECT_NEAR(primi[static_cast<size_t>(x)], estrazioni / 90, 160) << x;
    }
}

// The archive a simulation searches: every draw-wheel of the play windows that held numbers holds a
// fair draw, the rest of the archive is untouched, and searching it gives the simulation's top.
TEST(Atteso, ArchivioDellaSimulazione) {
    const auto& a = ArchivioReale();
    const int r = a.UltimaEstrazione - 30;
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = GeneraCasi(a, {r, 12, a.PosizioneMese[static_cast<size_t>(r)], false, 0});
    CalcolaParametri(a, in.Casi, {});
    in.Ruote[0] = in.Ruote[10] = true;
    in.Finestra = {1, 8, r};
    const auto esito = SimulaMigliori(in, {3, 11, 0, 1});
    for (int s = 0; s < 3; ++s) {
        const auto sim = ArchivioSimulato(in, 11, s);
        std::vector<char> giocata(static_cast<size_t>(a.NumeroEstrazioni + 1) * NumeroRuote, 0);
        for (const auto& c : in.Casi)
            for (int j = c.Estrazione + 1; j <= std::min(c.Estrazione + 8, r); ++j)
                for (int w : {0, 10})
                    giocata[static_cast<size_t>(j) * NumeroRuote + static_cast<size_t>(w)] = 1;
        int sostituite = 0;
        for (int j = 1; j <= a.NumeroEstrazioni; ++j)
            for (int w = 0; w < NumeroRuote; ++w) {
                const auto& prima = a.Estrazioni[static_cast<size_t>(j)][static_cast<size_t>(w)];
                const auto& dopo = sim.Estrazioni[static_cast<size_t>(j)][static_cast<size_t>(w)];
                const bool vuota = prima == NumeriRuota{};
                if (!giocata[static_cast<size_t>(j) * NumeroRuote + static_cast<size_t>(w)] || vuota) {
                    ASSERT_EQ(dopo, prima) << j << " " << w;
                    continue;
                }
                ++sostituite;
                auto ordinati = dopo;
                std::sort(ordinati.begin(), ordinati.end());
                ASSERT_GE(ordinati[0], 1);
                ASSERT_LE(ordinati[4], 90);
                ASSERT_EQ(std::adjacent_find(ordinati.begin(), ordinati.end()), ordinati.end());
            }
        EXPECT_GT(sostituite, 12 * 8);
        EXPECT_NE(sim.Estrazioni, a.Estrazioni);
        InputRicerca suSimulato = in;
        suSimulato.Archivio = &sim;
        const auto lista = CercaTerzine(suSimulato);
        EXPECT_EQ(lista.Righe.empty() ? 0 : lista.Righe[0].Pos, esito.TopPos[static_cast<size_t>(s)]) << s;
    }
}

// The combinations' tops too are the same whatever the threads; progress counts every simulation
// once, and a stop asked from the progress ends the run early and says so.
TEST(Atteso, SimulazioniConCombinazioniEProgresso) {
    const auto& a = ArchivioReale();
    const int r = a.UltimaEstrazione - 60;
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = GeneraCasi(a, {r, 10, a.PosizioneMese[static_cast<size_t>(r)], false, 0});
    CalcolaParametri(a, in.Casi, {});
    in.Ruote[2] = true;
    in.Finestra = {1, 6, r};
    std::mutex m;
    std::vector<std::pair<int, int>> chiamate;
    const auto progresso = [&](int fatti, int totale) {
        std::lock_guard<std::mutex> l(m);
        chiamate.push_back({fatti, totale});
    };
    const auto uno = SimulaMigliori(in, {6, 5, 2, 1});
    const auto tre = SimulaMigliori(in, {6, 5, 2, 3}, {nullptr, progresso});
    EXPECT_FALSE(tre.Interrotta);
    EXPECT_EQ(uno.TopPos, tre.TopPos);
    ASSERT_EQ(tre.TopCop.size(), 6u);
    EXPECT_EQ(uno.TopCop, tre.TopCop);
    ASSERT_EQ(chiamate.size(), 6u);
    std::sort(chiamate.begin(), chiamate.end());
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(chiamate[static_cast<size_t>(i)], std::make_pair(i + 1, 6));

    std::atomic<bool> stop{false};
    const auto fermato = SimulaMigliori(in, {40, 5, 0, 2}, {&stop, [&](int fatti, int) {
                                                                if (fatti >= 2) stop = true;
                                                            }});
    EXPECT_TRUE(fermato.Interrotta);
}

TEST(Atteso, ConfrontoECodaPoissonBinomiale) {
    const auto c = Confronta({3, 5, 4, 6, 5, 7, 5, 4, 6, 5, 3, 8, 5, 4, 6, 5, 9, 5, 4, 6}, 7);
    EXPECT_DOUBLE_EQ(c.Mediana, 5);
    EXPECT_DOUBLE_EQ(c.Percentile95, 8); // the 19th of 20 values
    EXPECT_DOUBLE_EQ(c.P, 3.0 / 20);
    // Equal chances: the binomial tail.
    const std::vector<double> p(10, 0.3);
    double coda = 0;
    for (int x = 4; x <= 10; ++x)
        coda += std::tgamma(11) / std::tgamma(x + 1) / std::tgamma(11 - x) * std::pow(0.3, x) *
                std::pow(0.7, 10 - x);
    EXPECT_NEAR(CodaPoissonBinomiale(p, 4), coda, 1e-12);
    EXPECT_DOUBLE_EQ(CodaPoissonBinomiale(p, 0), 1);
    EXPECT_NEAR(CodaPoissonBinomiale({0.5, 0.25}, 2), 0.125, 1e-15);
}

namespace {

SceltaVerificaRetroattiva PrimaDelMese() {
    SceltaVerificaRetroattiva s;
    s.Casi = {0, 12, 1, false, 0};
    s.Ruote[0] = true;
    s.DaColpo = 1;
    s.Colpi = 1;
    s.Elenco = 10;
    s.Thread = 2;
    return s;
}

} // namespace

TEST(VerificaRetroattiva, SchemaPiantatoTrovatoFuoriCampione) {
    // After every first draw of a month, the next draw on Bari brings P + 10 and P + 20.
    auto a = ArchivioDa(RigheCasuali(700, 11, 0, 0, 0));
    PiantaRegola(a, {}, 10, 20);
    const auto esito = VerificaRetroattiva(a, PrimaDelMese());
    ASSERT_GE(esito.Prove.size(), 40u);
    // From the third month on the pattern is the best the past shows; early trials may pick another.
    EXPECT_GE(esito.Vincite, static_cast<int>(esito.Prove.size()) - 3);
    EXPECT_LT(esito.Attese, 1.0);
    EXPECT_LT(esito.P, 1e-20);
    for (const auto& p : esito.Prove)
        EXPECT_EQ(p.Colpo, p.Vinta ? 1 : 0);
}

TEST(VerificaRetroattiva, ArchiviCasualiEntroIlCaso) {
    for (unsigned seme : {21u, 22u}) {
        const auto a = ArchivioDa(RigheCasuali(900, seme, 0, 0, 0));
        auto s = PrimaDelMese();
        s.Colpi = 8;
        s.Ruote.fill(true);
        s.K = seme == 22u ? 2 : 0;
        const auto esito = VerificaRetroattiva(a, s);
        ASSERT_GE(esito.Prove.size(), 40u);
        double varianza = 0;
        for (const auto& p : esito.Prove)
            varianza += p.Probabilita * (1 - p.Probabilita);
        EXPECT_LE(std::abs(esito.Vincite - esito.Attese), 4 * std::sqrt(varianza)) << seme;
        EXPECT_GT(esito.P, 1e-3) << seme;
        // What it played was chosen on the draws up to the reference alone: the same trial on an archive
        // cut right after its play window gives the same terzine.
        const auto& ultima = esito.Prove.back();
        auto tagliate = RigheCasuali(900, seme, 0, 0, 0);
        tagliate.resize(static_cast<size_t>(ultima.Riferimento + s.DaColpo + s.Colpi - 1));
        auto t = s;
        t.Da = t.A = ultima.Riferimento;
        const auto corta = VerificaRetroattiva(ArchivioDa(tagliate), t);
        ASSERT_EQ(corta.Prove.size(), 1u);
        EXPECT_EQ(corta.Prove[0], ultima);
    }
}
