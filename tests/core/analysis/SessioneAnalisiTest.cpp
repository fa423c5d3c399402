// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis chain run through its session on an archive small enough to work out by hand: what each
// step gives, what a stop leaves, and what a shorter archive takes away.
#include <gtest/gtest.h>

#include <atomic>

#include "Supporto.h"
#include "core/analysis/SessioneAnalisi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// Two draws a month (days 1 and 2) from January to April 2000, Bari only. The first draws of the months
/// (1, 3, 5, 7) are the cases of the monthly rule 1; read on position 1 alone their parameters are 10, 20,
/// 30 and 15. After case 3 (parameter 20) draw 4 brings 21 22 23 (offsets 1 2 3, a terno); after case 5
/// (parameter 30) draw 6 brings 31 32 (offsets 1 2, an ambo). Draw 8 follows the reference draw 7.
ArchivioMemoria Mesi() {
    const char* bari[] = {"10-40-41-42-43", "50-51-52-53-54", "20-40-41-42-43", "21-22-23-55-56",
                          "30-44-45-46-47", "31-32-57-58-59", "15-44-45-46-47", "16-17-18-60-61"};
    std::vector<RigaEstrazione> righe;
    for (int k = 0; k < 8; ++k) {
        RigaEstrazione r;
        r.Data = TestoData({k % 2 + 1, k / 2 + 1, 2000});
        r.Celle.fill("----");
        r.Celle[0] = bari[k];
        righe.push_back(r);
    }
    return ArchivioDa(righe);
}

ImpostazioniAnalisi Impostazioni() {
    ImpostazioniAnalisi imp;
    imp.Casi = {7, 3, 1, false, 0};
    imp.Parametro.Posizioni = {true, false, false, false, false};
    imp.Ruote[0] = true;
    imp.DaColpo = 1;
    imp.Colpi = 1;
    imp.Elenco = 10;
    return imp;
}

} // namespace

TEST(SessioneAnalisi, OgniPassoDellaCatenaSuUnArchivioFattoAMano) {
    const auto a = Mesi();
    SessioneAnalisi s(SessioneAnalisi::Prestito(a));
    const auto imp = Impostazioni();
    s.Prepara(imp);
    EXPECT_EQ(s.Casi(), (std::vector<Caso>{{7, 0, 15}, {5, 0, 30}, {3, 0, 20}}));
    EXPECT_EQ(s.Finestra().FineVerifica, 7);

    // Two cases covered at most; the first such terzina in offset order is 1 2 3, a terno then an ambo.
    const auto lista = s.CercaTerzine(imp);
    ASSERT_TRUE(s.ListaCompleta());
    ASSERT_EQ(lista.size(), 10u);
    EXPECT_EQ((std::array{lista[0].A, lista[0].B, lista[0].C}), (std::array{1, 2, 3}));
    EXPECT_EQ(lista[0].Pos, 2);
    EXPECT_EQ(lista[0].Terni, 1);
    EXPECT_EQ(lista[0].Ambi, 1);
    // Draw 8 lies past the reference draw: no terzina is judged on it.
    for (const auto& z : lista)
        EXPECT_LE(z.Pos, 2);
    EXPECT_EQ(s.Verifica(s.Casi()[2]).front(), true); // case 3 brought the first row's terno

    const auto& comb = s.CercaCombinazioni(1, imp.Elenco);
    ASSERT_FALSE(comb.empty());
    EXPECT_EQ(comb[0].Cop, 2);
    const auto scelte = s.TerzineDellaCombinazione(1);
    ASSERT_EQ(scelte.size(), 1u);
    EXPECT_EQ(scelte[0], lista[0]);
    EXPECT_TRUE(s.TerzineDellaCombinazione(0).empty());
    EXPECT_TRUE(s.TerzineDellaCombinazione(static_cast<int>(comb.size()) + 1).empty());

    // Cutting the list leaves the combinations pointing into the list they were found on.
    ASSERT_TRUE(s.EliminaRighe(2));
    EXPECT_EQ(s.Lista().size(), 1u);
    EXPECT_EQ(s.ListaCombinazioni().size(), 10u);
    EXPECT_EQ(s.TerzineDellaCombinazione(1), scelte);

    // The forecast: cases 3 and 5 covered (a terno, an ambo), case 7 still to be played.
    const auto prev = s.Previsioni(scelte, {});
    EXPECT_EQ(prev.Riepilogo.Casi, 3);
    EXPECT_EQ(prev.Riepilogo.Coperti, 2);
    EXPECT_EQ(prev.Riepilogo.Terni, 1);
    EXPECT_EQ(prev.Riepilogo.Ambi, 1);
    // Checked up to the last draw, case 7 (parameter 15) finds 16 17 18 in draw 8: a third terno.
    EXPECT_EQ(s.Previsioni(scelte, {true, false, false, false}).Riepilogo.Coperti, 3);

    const auto storia = s.StoriaDi(scelte, false);
    EXPECT_EQ(storia.Casi, 3);
    EXPECT_EQ(storia.Coperti, 2);
    EXPECT_TRUE(s.Ritardi(8).has_value());
    EXPECT_FALSE(s.Ritardi(9).has_value());
    EXPECT_FALSE(s.Ritardi(0).has_value());

    // The same chain with one value of settings gives the same list.
    EXPECT_EQ(SessioneAnalisi::Esegui(SessioneAnalisi::Prestito(a), imp).Lista(), lista);
}

TEST(SessioneAnalisi, UnaFermataInOgniRicerca) {
    const auto a = Mesi();
    const auto imp = Impostazioni();
    std::atomic<bool> ferma{true};
    SessioneAnalisi s(SessioneAnalisi::Prestito(a));
    s.Prepara(imp);
    // A stopped search keeps the Elenco rows it had, and says it did not end.
    s.CercaTerzine(imp, {&ferma, {}});
    EXPECT_FALSE(s.ListaCompleta());
    EXPECT_EQ(s.Lista().size(), 10u);

    // A whole search after it; then a stopped combination search leaves nothing half found.
    s.CercaTerzine(imp);
    ASSERT_TRUE(s.ListaCompleta());
    s.CercaCombinazioni(2, imp.Elenco, {&ferma, {}});
    EXPECT_TRUE(std::all_of(s.Combinazioni().begin(), s.Combinazioni().end(),
                            [](const Combinazione& c) { return c.Vuota(); }));
    // The whole chain stopped: no list, whatever the cases.
    EXPECT_FALSE(SessioneAnalisi::Esegui(SessioneAnalisi::Prestito(a), imp, {&ferma, {}}).ListaCompleta());
}

TEST(SessioneAnalisi, UnArchivioPiuCortoTogliePassiOltreLaFine) {
    const auto a = Mesi();
    const auto imp = Impostazioni();
    SessioneAnalisi s(SessioneAnalisi::Prestito(a));
    s.Prepara(imp);
    s.CercaTerzine(imp);
    // The same archive again: nothing to adapt.
    EXPECT_FALSE(s.CambiaArchivio(std::make_shared<const ArchivioMemoria>(a)));

    // Draws 7 and 8 deleted: the reference draw comes back to 6 and case 7 goes with its draw.
    std::vector<RigaEstrazione> righe;
    for (int d = 1; d <= 6; ++d) {
        RigaEstrazione r;
        r.Data = a.DateEstrazioni[static_cast<size_t>(d)];
        r.Celle.fill("----");
        std::string bari;
        for (size_t p = 0; p < 5; ++p) {
            if (p) bari += '-';
            bari += std::to_string(a.Estrazioni[static_cast<size_t>(d)][0][p]);
        }
        r.Celle[0] = bari;
        righe.push_back(r);
    }
    ASSERT_TRUE(s.CambiaArchivio(std::make_shared<const ArchivioMemoria>(ArchivioDa(righe))));
    EXPECT_EQ(s.Riferimento(), 6);
    EXPECT_EQ(s.Casi(), (std::vector<Caso>{{5, 0, 30}, {3, 0, 20}}));
    EXPECT_EQ(s.Archivio().NumeroEstrazioni, 6);
    EXPECT_EQ(s.PreparaTerzine(imp.Ruote, false, 10).Finestra.FineVerifica, 6);
    // An empty archive (no snapshot) finds nothing and reads nothing.
    SessioneAnalisi vuota(nullptr);
    vuota.Prepara(imp);
    EXPECT_TRUE(vuota.Casi().empty());
    EXPECT_FALSE(vuota.Ritardi(1).has_value());
}
