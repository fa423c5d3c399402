// SPDX-License-Identifier: GPL-3.0-or-later
// The builder's state: the re-ranking as the method grows, a moved reference draw, the older forecast,
// the count by colpo within the play window and a search stopped before its end.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/builder/StatoCostruttore.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// The chain at the opening settings on the real archive, `colpi` colpi.
StatoCostruttore Catena(const ArchivioMemoria& a, int colpi = 8) {
    StatoCostruttore s;
    s.AdattaAllArchivio(SessioneAnalisi::Prestito(a));
    const int ultima = a.UltimaEstrazione;
    s.Analisi().ImpostaRiferimento(ultima);
    s.GeneraCasi({ultima, 12, a.PosizioneMese[static_cast<size_t>(ultima)], false, 0});
    s.Analisi().CalcolaParametri(SceltaParametro{}, 1, colpi);
    const auto in = s.PreparaRicerca(false, 100);
    s.ApplicaRicerca(CercaCandidate(in));
    return s;
}

void Prevedi(StatoCostruttore& s, bool vecchie = false) {
    const auto in = s.PreparaPrevisioni(false, false, vecchie);
    ASSERT_TRUE(in);
    s.ApplicaPrevisioni(FaiPrevisioni(*in), *in);
}

int Marcati(const RigaPerCaso& r) {
    return static_cast<int>(
        std::count_if(r.Coperture.begin(), r.Coperture.end(), [](int8_t c) { return c; }));
}

} // namespace

TEST(StatoCostruttore, RiordinoMentreIlMetodoCresce) {
    const auto& a = ArchivioReale();
    auto s = Catena(a);
    ASSERT_TRUE(s.ListaCompleta());
    // With nothing covered yet every candidate keeps all the cases it marks.
    s.Riordina();
    for (const auto& r : s.ListaCasi())
        if (!r.Z.Vuota()) {
            ASSERT_EQ(r.SecondoCop, Marcati(r));
        }

    ASSERT_EQ(s.AggiungiDaCasi(1), StatoCostruttore::Aggiunta::Fatta);
    const auto scelta = s.ListaCasi()[0];
    Prevedi(s);
    s.Riordina();
    const auto coperti = s.Analisi().Coperti();
    // The chosen candidate now opens nothing: 0, behind every row that still opens a case.
    const auto pos = std::find_if(s.ListaCasi().begin(), s.ListaCasi().end(),
                                  [&](const RigaPerCaso& r) { return r.Z == scelta.Z; });
    ASSERT_NE(pos, s.ListaCasi().end());
    EXPECT_EQ(pos->SecondoCop, 0);
    EXPECT_TRUE(
        std::all_of(pos, s.ListaCasi().end(), [](const RigaPerCaso& r) { return r.SecondoCop == 0; }));
    for (const auto& r : s.ListaCasi()) {
        int aperti = 0;
        for (size_t k = 0; k < coperti.size(); ++k)
            aperti += r.Coperture[k] != 0 && !coperti[k];
        ASSERT_EQ(r.SecondoCop, aperti);
    }

    // A move of the reference draw empties the case table: nothing reads as covered any more.
    s.Analisi().ImpostaRiferimento(a.UltimaEstrazione - 1);
    s.Riordina();
    for (const auto& r : s.ListaCasi())
        ASSERT_EQ(r.SecondoCop, Marcati(r));
    EXPECT_FALSE(s.PreparaPrevisioni(false, false, false)); // no case table, no forecast
}

TEST(StatoCostruttore, VecchiePrevisioniLascianoLaStatistica) {
    const auto& a = ArchivioReale();
    auto s = Catena(a);
    s.AggiungiDaColpi(1);
    Prevedi(s);
    const auto statistica = s.Analisi().Previsione().Riepilogo;
    const bool ciano = std::any_of(s.Analisi().Segni().begin(), s.Analisi().Segni().end(),
                                   [](const SegniCaso& x) { return x.Primo == SegniCaso::Stato::Ciano; });
    ASSERT_TRUE(ciano); // the last case is still in play at the opening settings
    s.AggiungiDaColpi(2);
    Prevedi(s, true);
    EXPECT_EQ(s.Analisi().Previsione().Riepilogo, statistica);
    for (const auto& x : s.Analisi().Segni())
        EXPECT_NE(x.Primo, SegniCaso::Stato::Ciano);
    // Both terzine have their rows; the case table marks column 2 where the second one won.
    EXPECT_TRUE(std::any_of(s.Analisi().Previsione().Righe.begin(), s.Analisi().Previsione().Righe.end(),
                            [](const RigaPrevisione& r) { return r.NumeroTerzina == 2; }));
}

TEST(StatoCostruttore, ConteggioPerColpoEntroLaFinestra) {
    const auto& a = ArchivioReale();
    auto s = Catena(a, 8);
    ASSERT_TRUE(s.ContaTutte());
    int totale = 0;
    for (size_t r = 0; r < s.Lista().size(); ++r) {
        for (size_t c = 8; c < 20; ++c)
            ASSERT_EQ(s.Colpi()[r].Successi[c], 0);
        for (int n : s.Colpi()[r].Successi)
            totale += n;
        // Every success is counted: never fewer than the covered cases.
        if (!s.Lista()[r].Vuota()) {
            int riga = 0;
            for (int n : s.Colpi()[r].Successi)
                riga += n;
            ASSERT_GE(riga, s.Lista()[r].Cop);
        }
    }
    EXPECT_GT(totale, 0);
    StatoCostruttore vuoto;
    vuoto.AdattaAllArchivio(SessioneAnalisi::Prestito(a));
    EXPECT_FALSE(vuoto.ContaTutte());
}

TEST(StatoCostruttore, RicercaInterrottaTieneIlSecondoElenco) {
    const auto& a = ArchivioReale();
    auto s = Catena(a);
    const auto perCaso = s.ListaCasi();
    s.AggiungiDaColpi(1);
    const auto in = s.PreparaRicerca(false, 100);
    std::atomic<bool> stop{true};
    s.ApplicaRicerca(CercaCandidate(in, {&stop, {}}));
    EXPECT_FALSE(s.ListaCompleta());
    EXPECT_EQ(s.ListaCasi(), perCaso);
    EXPECT_EQ(s.Metodo().size(), 1u); // only a new case set starts a new method
    s.GeneraCasi({a.UltimaEstrazione, 12, 1, false, 0});
    EXPECT_TRUE(s.Metodo().empty());
}

TEST(StatoCostruttore, OffsetRifiutatiEAccettati) {
    StatoCostruttore s;
    // A terzina the method could not play is never added, whatever list it came from.
    EXPECT_EQ(s.AggiungiCandidata({3, 3, 0, 20, 60, 3, 0}), StatoCostruttore::Aggiunta::Nessuna);
    EXPECT_EQ(s.AggiungiCandidata({3, 3, 4, 91, 60, 3, 0}), StatoCostruttore::Aggiunta::Nessuna);
    EXPECT_EQ(s.AggiungiCandidata({3, 3, 4, 20, 20, 3, 0}), StatoCostruttore::Aggiunta::Nessuna);
    EXPECT_TRUE(s.Metodo().empty());
    s.AggiungiCandidata({3, 3, 4, 20, 60, 3, 0});
    EXPECT_EQ(s.ImpostaOffset(1, 1, "91"), "Scrivere un numero da 1 a 90.");
    EXPECT_EQ(s.ImpostaOffset(1, 1, " "), "Scrivere un numero da 1 a 90.");
    EXPECT_EQ(s.ImpostaOffset(1, 1, "-5"), "Scrivere un numero da 1 a 90.");
    EXPECT_EQ(s.ImpostaOffset(1, 2, "60"), "Il numero 60 è già nella terzina.");
    EXPECT_EQ(s.Metodo()[0], (TerzinaMetodo{4, 20, 60, "3", "3", "3", ""}));
    EXPECT_FALSE(s.ImpostaOffset(1, 3, " 90 "));
    EXPECT_EQ(s.Metodo()[0].C, 90);
    for (int k = 0; k < 4; ++k)
        s.AggiungiCandidata({1, 1, 1 + k, 2 + k, 3 + k, 1, 0});
    EXPECT_EQ(s.AggiungiCandidata({1, 1, 7, 8, 9, 1, 0}), StatoCostruttore::Aggiunta::Piena);
    EXPECT_EQ(s.AggiungiCandidata({}), StatoCostruttore::Aggiunta::Nessuna);
}
