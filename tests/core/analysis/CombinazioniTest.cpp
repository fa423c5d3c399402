// SPDX-License-Identifier: GPL-3.0-or-later
// The fast combination search must equal the literal one, row for row and tie for tie.
#include <gtest/gtest.h>

#include <random>

#include "Supporto.h"
#include "core/analysis/Combinazioni.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Scenario {
    int riferimento, casi, mensile, trasformazione;
    RuoteGioco ruote;
    int daColpo, colpi, elencoTerzine;
    bool intero;
};

InputCombinazioni Prepara(const ArchivioMemoria& a, const Scenario& s, int K, int elenco) {
    auto casi = GeneraCasi(a, {s.riferimento, s.casi, s.mensile, true, 2});
    CalcolaParametri(a, casi, {{true, true, true, true, true}, Operazione::Somma, s.trasformazione, 0});
    InputRicerca ir;
    ir.Archivio = &a;
    ir.Casi = casi;
    ir.Ruote = s.ruote;
    ir.Finestra = {s.daColpo, s.colpi, s.riferimento};
    ir.InteroPeriodo = s.intero;
    ir.Elenco = s.elencoTerzine;
    InputCombinazioni ic;
    ic.Archivio = &a;
    ic.Casi = casi;
    ic.Lista = CercaTerzine(ir).Righe;
    ic.Ruote = s.ruote;
    ic.Finestra = ir.Finestra;
    ic.K = K;
    ic.Elenco = elenco;
    return ic;
}

void Confronta(const InputCombinazioni& ic, const std::string& nome) {
    const auto rif = CercaCombinazioniRiferimento(ic);
    const auto veloce = CercaCombinazioni(ic);
    ASSERT_EQ(rif.Righe.size(), static_cast<size_t>(std::max(ic.Elenco - 1, 0))) << nome;
    for (size_t r = 0; r < rif.Righe.size(); ++r) {
        const auto& x = rif.Righe[r];
        const auto& y = veloce.Righe[r];
        ASSERT_EQ(x, y) << nome << " K=" << ic.K << " elenco=" << ic.Elenco << " riga " << r << ": " << x.Cop
                        << " [" << x.Righe[0] << "," << x.Righe[1] << "," << x.Righe[2] << "] contro "
                        << y.Cop << " [" << y.Righe[0] << "," << y.Righe[1] << "," << y.Righe[2] << "]";
    }
}

RuoteGioco Ruote(std::initializer_list<int> w) {
    RuoteGioco r{};
    for (int i : w)
        r[i] = true;
    return r;
}

} // namespace

TEST(Combinazioni, RealeUnaDueTreTerzineElenco10E200) {
    const auto& a = ArchivioReale();
    const Scenario scenari[] = {
        {a.UltimaEstrazione, 12, a.PosizioneMese[a.UltimaEstrazione], 0, Ruote({0}), 1, 8, 50, false},
        {a.UltimaEstrazione - 30, 30, 0, 3, Ruote({0, 4, 7, 10}), 2, 12, 30, true},
        {4000, 20, 2, 7, Ruote({1, 2}), 1, 5, 20, false},
    };
    for (const auto& s : scenari)
        for (int K : {1, 2, 3})
            for (int elenco : {10, 200}) {
                auto ic = Prepara(a, s, K, elenco);
                if (K == 3 && ic.Lista.size() > 30) ic.Lista.resize(30); // the reference is cubic
                Confronta(ic, "reale");
            }
}

TEST(Combinazioni, ArchiviCasualiConDoppiZeriERuoteVuote) {
    for (unsigned seme = 11; seme <= 14; ++seme) {
        const auto a = ArchivioDa(RigheCasuali(300, seme, 0.1, 0.05, 0.1));
        std::mt19937 gen(seme);
        auto tra = [&](int x, int y) { return std::uniform_int_distribution<int>(x, y)(gen); };
        RuoteGioco ruote{};
        for (auto& r : ruote)
            r = tra(0, 3) == 0;
        ruote[tra(0, 10)] = true;
        const Scenario s{a.UltimaEstrazione - tra(0, 20),
                         tra(1, 30),
                         tra(0, 3),
                         tra(0, 8),
                         ruote,
                         tra(1, 5),
                         tra(1, 20),
                         10 * tra(1, 3),
                         tra(0, 1) == 1};
        for (int K : {1, 2, 3})
            Confronta(Prepara(a, s, K, K == 1 ? 10 : 200), "casuale " + std::to_string(seme));
    }
}

TEST(Combinazioni, ListaConUnaTerzinaERigheVuote) {
    const auto& a = ArchivioReale();
    auto ic = Prepara(a, {a.UltimaEstrazione, 12, 1, 0, Ruote({0}), 1, 8, 10, false}, 2, 50);
    ic.Lista.resize(1);
    const auto ris = CercaCombinazioni(ic);
    ASSERT_EQ(ris.Righe.size(), 49u);
    for (const auto& c : ris.Righe)
        EXPECT_TRUE(c.Vuota()); // nothing to pair with
    // Empty list rows play the parameter itself: they take part, and both searches agree on them.
    ic.Lista.resize(6);
    for (int K : {1, 2, 3}) {
        ic.K = K;
        Confronta(ic, "righe vuote");
    }
}

TEST(Combinazioni, InterruzioneTieneLaTabellaParziale) {
    const auto& a = ArchivioReale();
    for (int K : {1, 2, 3}) {
        auto ic = Prepara(a, {a.UltimaEstrazione, 12, 12, 0, Ruote({0, 3}), 1, 8, 50, false}, K, 50);
        if (K == 3) ic.Lista.resize(25);
        std::atomic<bool> stop{false};
        const int soglia = K == 1 ? 20 : K == 2 ? 300 : 1000;
        ControlloLavoro ctl{&stop, [&](int valore, int) {
                                if (valore >= soglia) stop = true;
                            }};
        const auto rif = CercaCombinazioniRiferimento(ic, ctl);
        stop = false;
        const auto veloce = CercaCombinazioni(ic, ctl);
        EXPECT_TRUE(rif.Interrotta) << K;
        EXPECT_TRUE(veloce.Interrotta) << K;
        EXPECT_EQ(rif.Righe, veloce.Righe) << K;
        // A stop asked before the search starts is kept.
        stop = true;
        const auto subito = CercaCombinazioni(ic, {&stop, {}});
        EXPECT_TRUE(subito.Interrotta) << K;
        EXPECT_EQ(subito.Righe, CercaCombinazioniRiferimento(ic, {&stop, {}}).Righe) << K;
    }
}

TEST(Combinazioni, EliminaRigheSuccessive) {
    std::vector<Terzina> lista(5);
    for (int i = 0; i < 5; ++i)
        lista[static_cast<size_t>(i)] = Terzina{5 - i, i, 1, 2, 3 + i, 0, 0};
    EXPECT_FALSE(EliminaRigheSuccessive(lista, 1)); // the first terzina stays
    EXPECT_FALSE(EliminaRigheSuccessive(lista, 6));
    EXPECT_EQ(lista.size(), 5u);
    EXPECT_TRUE(EliminaRigheSuccessive(lista, 3));
    ASSERT_EQ(lista.size(), 2u);
    EXPECT_EQ(lista[1].C, 4);
}

namespace trivalto {
void PrintTo(const Combinazione& c, std::ostream* os) {
    *os << "{" << c.Esiti << "/" << c.Cop << " [" << c.Righe[0] << "," << c.Righe[1] << "," << c.Righe[2]
        << "]}";
}
} // namespace trivalto

TEST(Combinazioni, RigheVuoteNellElencoAMano) {
    // Bari only, one colpo each; the list holds 1-2-3, an empty row, 1-5-6. An empty row has offsets
    // 0: it plays the case's parameter three times (90 for parameter 0), so it wins only where that
    // number is drawn twice on one wheel.
    //  case draw 1, parameter 10: draw 2 holds 11 12 -> 1-2-3 (11 12 13) wins; 1-5-6 (11 15 16) not;
    //  case draw 3, parameter 12: draw 4 holds 13 17 -> 1-5-6 (13 17 18) wins; 1-2-3 (13 14 15) not;
    //  case draw 5, parameter 0:  draw 6 holds 90 twice -> only the empty row (90 90 90) wins.
    const std::string niente = "40-41-42-43-44";
    auto a = ArchivioAMano(
        {{niente}, {"11-12-50-51-52"}, {niente}, {"13-17-60-61-62"}, {niente}, {"90-90-70-71-72"}});
    InputCombinazioni ic;
    ic.Archivio = &a;
    ic.Casi = {{1, 0, 10}, {3, 0, 12}, {5, 0, 0}};
    ic.Lista = {Terzina{1, 2, 1, 2, 3, 1, 0}, Terzina{}, Terzina{1, 2, 1, 5, 6, 1, 0}};
    ic.Ruote[0] = true;
    ic.Finestra = {1, 1, 6};
    ic.Elenco = 10;
    const Combinazione vuota;
    const auto attese = [&](std::vector<Combinazione> righe) {
        righe.resize(9, vuota);
        return righe;
    };
    // Each row covers one case; equal rows stay in the order met.
    ic.K = 1;
    EXPECT_EQ(CercaCombinazioni(ic).Righe,
              attese({{1, 1, {0, -1, -1}}, {1, 1, {1, -1, -1}}, {1, 1, {2, -1, -1}}}));
    EXPECT_EQ(CercaCombinazioniRiferimento(ic).Righe, CercaCombinazioni(ic).Righe);
    // Every pair covers two different cases.
    ic.K = 2;
    EXPECT_EQ(CercaCombinazioni(ic).Righe,
              attese({{2, 2, {0, 1, -1}}, {2, 2, {0, 2, -1}}, {2, 2, {1, 2, -1}}}));
    EXPECT_EQ(CercaCombinazioniRiferimento(ic).Righe, CercaCombinazioni(ic).Righe);
    ic.K = 3;
    EXPECT_EQ(CercaCombinazioni(ic).Righe, attese({{3, 3, {0, 1, 2}}}));
    EXPECT_EQ(CercaCombinazioniRiferimento(ic).Righe, CercaCombinazioni(ic).Righe);

    // Without the double 90 the empty row covers nothing: a pair with it is worth its other row, and
    // the pair of the two filled rows comes first.
    a = ArchivioAMano(
        {{niente}, {"11-12-50-51-52"}, {niente}, {"13-17-60-61-62"}, {niente}, {"90-89-70-71-72"}});
    ic.K = 2;
    EXPECT_EQ(CercaCombinazioni(ic).Righe,
              attese({{2, 2, {0, 2, -1}}, {1, 1, {0, 1, -1}}, {1, 1, {1, 2, -1}}}));
    EXPECT_EQ(CercaCombinazioniRiferimento(ic).Righe, CercaCombinazioni(ic).Righe);
    ic.K = 1;
    EXPECT_EQ(CercaCombinazioni(ic).Righe, attese({{1, 1, {0, -1, -1}}, {1, 1, {2, -1, -1}}}));
    EXPECT_EQ(CercaCombinazioniRiferimento(ic).Righe, CercaCombinazioni(ic).Righe);
}
