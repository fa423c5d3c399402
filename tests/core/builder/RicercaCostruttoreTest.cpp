// SPDX-License-Identifier: GPL-3.0-or-later
// The builder's candidate lists: the fast search against the literal loops on the real archive and on
// random archives, the interrupt at the same terzina, and the per-case and per-colpo marks worked by hand.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/analysis/Casi.h"
#include "core/builder/RicercaCostruttore.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

InputRicerca Prepara(const ArchivioMemoria& a, int riferimento, int casi, int mensile, std::vector<int> ruote,
                     int colpi, int elenco, bool intero) {
    auto elencoCasi = GeneraCasi(a, {riferimento, casi, mensile, true, 0});
    CalcolaParametri(a, elencoCasi, SceltaParametro{});
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = elencoCasi;
    for (int w : ruote)
        in.Ruote[static_cast<size_t>(w)] = true;
    in.Finestra = {1, colpi, riferimento};
    in.InteroPeriodo = intero;
    in.Elenco = elenco;
    return in;
}

void Confronta(const InputRicerca& in, const char* nome) {
    const auto veloce = CercaCandidate(in);
    const auto rif = CercaCandidateRiferimento(in);
    ASSERT_EQ(veloce.Righe.size(), rif.Righe.size()) << nome;
    for (size_t r = 0; r < rif.Righe.size(); ++r)
        ASSERT_EQ(veloce.Righe[r], rif.Righe[r]) << nome << ", riga " << r + 1;
}

} // namespace

TEST(RicercaCostruttore, VeloceComeLetteraleSullArchivioReale) {
    const auto& a = ArchivioReale();
    const int ultima = a.UltimaEstrazione;
    Confronta(Prepara(a, ultima, 12, a.PosizioneMese[static_cast<size_t>(ultima)], {0}, 8, 50, false),
              "apertura");
    auto in = Prepara(a, ultima - 40, 20, 0, {0, 4, 7, 10}, 12, 1000, true);
    Confronta(in, "intero periodo, Elenco 1000");
    const auto ris = CercaCandidate(in);
    bool piuDiCop = false;
    for (const auto& z : ris.Righe) {
        ASSERT_GE(z.Tot, z.Cop);
        EXPECT_EQ(z.Ambi + z.Terni, z.Cop); // one first success per covered case
        piuDiCop = piuDiCop || z.Tot > z.Cop;
    }
    EXPECT_TRUE(piuDiCop);
    in.InteroPeriodo = false;
    for (const auto& z : CercaCandidate(in).Righe)
        ASSERT_EQ(z.Tot, z.Cop);
    // Covered cases are left out, as green cases are.
    in.Coperti.assign(in.Casi.size(), false);
    in.Coperti[0] = in.Coperti[3] = true;
    Confronta(in, "casi coperti");
}

TEST(RicercaCostruttore, VeloceComeLetteraleSuArchiviCasuali) {
    for (unsigned seme : {5u, 6u}) {
        const auto a = ArchivioDa(RigheCasuali(300, seme, 0.08, 0.05, 0.1));
        Confronta(Prepara(a, 280, 15, 2, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 6, 200, seme % 2 == 0),
                  "casuale");
    }
}

TEST(RicercaCostruttore, InterruzioneAllaStessaTerzina) {
    const auto& a = ArchivioReale();
    const auto in = Prepara(a, a.UltimaEstrazione, 12, 1, {0, 3}, 8, 100, false);
    std::atomic<bool> stop{false};
    ControlloLavoro ctl{&stop, [&](int valore, int) {
                            if (valore >= 700) stop = true;
                        }};
    const auto rif = CercaCandidateRiferimento(in, ctl);
    stop = false;
    const auto veloce = CercaCandidate(in, ctl);
    EXPECT_TRUE(rif.Interrotta);
    EXPECT_TRUE(veloce.Interrotta);
    EXPECT_EQ(veloce.Righe, rif.Righe);
    // Stopped at the 9,000th terzina, the first check after the 7,000th: nothing past it.
    for (const auto& z : veloce.Righe)
        if (!z.Vuota()) {
            EXPECT_LE(z.A, 3);
        }
}

TEST(RicercaCostruttore, CopertureEColpiLavoratiAMano) {
    // Parameter 10, candidate 1-2-3 plays 11 12 13. Case at draw 1 (window 2..4): ambo at colpo 1 on
    // Bari, terno at colpo 3 on Cagliari. Case at draw 2 (window 3..5): terno at colpo 2 on Cagliari;
    // the ambo of draw 5 lies after the reference draw 4 and never counts.
    std::vector<RigaEstrazione> righe;
    const std::vector<std::pair<std::string, std::string>> bariCagliari = {
        {"40-41-42-43-44", "50-51-52-53-54"},
        {"11-12-42-43-44", "50-51-52-53-54"},
        {"40-41-42-43-44", "50-51-52-53-54"},
        {"40-41-42-43-44", "11-12-13-53-54"},
        {"11-13-42-43-44", "50-51-52-53-54"}};
    for (size_t k = 0; k < bariCagliari.size(); ++k) {
        RigaEstrazione r;
        r.Data = TestoData({static_cast<int>(k) + 1, 1, 2000});
        r.Celle.fill("----");
        r.Celle[0] = bariCagliari[k].first;
        r.Celle[1] = bariCagliari[k].second;
        righe.push_back(r);
    }
    const auto a = ArchivioDa(righe);
    InputRicerca in;
    in.Archivio = &a;
    in.Casi = {{1, 0, 10}, {2, 0, 10}};
    in.Ruote[0] = in.Ruote[1] = true;
    in.Finestra = {1, 3, 4};
    const std::vector<Candidata> lista = {{2, 2, 1, 2, 3, 1, 1}, {}};
    auto perCaso = CopiaInSecondoElenco(in, lista);
    EXPECT_EQ(perCaso, CopiaInSecondoElencoRiferimento(in, lista));
    EXPECT_EQ(perCaso[0].Coperture[0], 2); // the first success of case 1 is the ambo
    EXPECT_EQ(perCaso[0].Coperture[1], 3);
    EXPECT_EQ(perCaso[0].Coperture[2], 0);
    EXPECT_EQ(perCaso[0].SecondoCop, 2);
    EXPECT_EQ(perCaso[1].Coperture, (std::array<int8_t, MassimoCasi>{}));
    EXPECT_EQ(perCaso[1].SecondoCop, -1); // an empty row's second "Cop" stays empty until a re-ranking
    const auto colpi = ContaPerColpo(in, lista);
    EXPECT_EQ(colpi, ContaPerColpoRiferimento(in, lista));
    EXPECT_EQ(colpi[0].Successi[0], 1); // case 1, draw 2
    EXPECT_EQ(colpi[0].Successi[1], 1); // case 2, draw 4
    EXPECT_EQ(colpi[0].Successi[2], 1); // case 1, draw 4
    EXPECT_EQ(colpi[0].Successi[3], 0);
    EXPECT_TRUE(colpi[0].Terno[1] && colpi[0].Terno[2]);
    EXPECT_FALSE(colpi[0].Terno[0]);
    // Counted the way the search counts it: two cases, the first success of each.
    EXPECT_EQ(ValutaCandidata(in, 1, 2, 3), lista[0]);
    in.InteroPeriodo = true;
    EXPECT_EQ(ValutaCandidata(in, 1, 2, 3).Tot, 3);
    // Re-ranking: with case 1 covered by the method only case 2 is still open for this candidate.
    Riordina(perCaso, {true, false}, 2);
    EXPECT_EQ(perCaso[0].SecondoCop, 1);
    EXPECT_EQ(perCaso[1].SecondoCop, 0);
    Riordina(perCaso, {}, 1);
    EXPECT_EQ(perCaso[0].SecondoCop, 1);
}

TEST(RicercaCostruttore, ListaPerCasoConteggioERiordinoComeLetterali) {
    // The real archive at the heaviest list, and random archives with empty wheels and repeated numbers.
    const auto& reale = ArchivioReale();
    const auto casuale = ArchivioDa(RigheCasuali(300, 9, 0.08, 0.05, 0.1));
    struct Prova {
        InputRicerca In;
        const char* Nome;
    };
    const Prova prove[] = {
        {Prepara(reale, reale.UltimaEstrazione - 7, 30, 0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 20, 1000,
                 false),
         "reale, 30 casi U"},
        {Prepara(casuale, 290, 25, 3, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 12, 300, true), "casuale"}};
    for (const auto& p : prove) {
        const auto lista = CercaCandidate(p.In).Righe;
        auto veloce = CopiaInSecondoElenco(p.In, lista);
        auto rif = CopiaInSecondoElencoRiferimento(p.In, lista);
        ASSERT_EQ(veloce.size(), rif.size()) << p.Nome;
        for (size_t r = 0; r < veloce.size(); ++r)
            ASSERT_EQ(veloce[r], rif[r]) << p.Nome << ", riga " << r + 1;
        EXPECT_EQ(ContaPerColpo(p.In, lista), ContaPerColpoRiferimento(p.In, lista)) << p.Nome;
        // Every candidate is marked in exactly the cases it covers.
        for (const auto& r : veloce) {
            if (r.Z.Vuota()) continue;
            const auto segnati =
                std::count_if(r.Coperture.begin(), r.Coperture.end(), [](int8_t c) { return c; });
            ASSERT_EQ(segnati, r.Z.Cop) << p.Nome;
        }
        // Re-rankings one after another, as the method grows: same order and counts, ties kept in place.
        std::vector<bool> coperti(p.In.Casi.size(), false);
        for (size_t k = 0; k < coperti.size(); k += 3) {
            coperti[k] = true;
            Riordina(veloce, coperti, static_cast<int>(p.In.Casi.size()));
            RiordinaRiferimento(rif, coperti, static_cast<int>(p.In.Casi.size()));
            ASSERT_EQ(veloce, rif) << p.Nome << ", caso " << k + 1;
        }
    }
}
