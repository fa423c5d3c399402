// SPDX-License-Identifier: GPL-3.0-or-later
// The analysis state's rules, without any window: what a move of the reference draw empties, what
// the forecast's marks feed into the next search, and which commands have nothing to work on.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/analysis/StatoAnalisi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

const ArchivioMemoria& Piccolo() {
    static const ArchivioMemoria a = ArchivioDa(RigheCasuali(400, 11, 0, 0, 0));
    return a;
}

/// A state that has run GENERA TERZINE, its search and a two-terzine combination search.
StatoAnalisi ConCombinazioni() {
    const auto& a = Piccolo();
    StatoAnalisi s;
    s.AdattaAllArchivio(SessioneAnalisi::Prestito(a));
    s.TutteLeRuote(true);
    s.ImpostaRiferimento(a.UltimaEstrazione - 3);
    s.GeneraCasi({0, 12, 1, false, 0});
    s.CalcolaParametri({}, 1, 6);
    s.ApplicaTerzine(CercaTerzine(s.PreparaTerzine(false, 30)));
    s.ApplicaCombinazioni(CercaCombinazioni(s.PreparaCombinazioni(2, 30)));
    return s;
}

} // namespace

TEST(StatoAnalisi, SpostareIlRiferimentoSvuotaLaTabellaMaTieneICasi) {
    const auto& a = Piccolo();
    auto s = ConCombinazioni();
    ASSERT_EQ(s.Casi().size(), 12u);
    ASSERT_TRUE(s.SelezionaCaso(3));
    const auto casi = s.Casi();

    s.ImpostaRiferimento(a.UltimaEstrazione - 40);
    EXPECT_FALSE(s.CasiVisibili());
    EXPECT_EQ(s.Casi(), casi);
    EXPECT_EQ(s.CasoSelezionato(), nullptr);
    EXPECT_FALSE(s.PuoCercareTerzine());
    EXPECT_FALSE(s.SelezionaCaso(1));
    // The combinations still judge the kept cases, now up to the new reference draw...
    const auto ic = s.PreparaCombinazioni(1, 20);
    EXPECT_EQ(ic.Casi, casi);
    EXPECT_EQ(ic.Finestra.FineVerifica, a.UltimaEstrazione - 40);
    // ...while the forecast waits for a new case table, whatever combination is chosen.
    s.ApplicaCombinazioni(CercaCombinazioni(ic));
    ASSERT_TRUE(s.SelezionaCombinazione(1));
    EXPECT_FALSE(s.PreparaPrevisioni(false, false, false).has_value());
    // "Scelta trasformazione" with no rows left has no case to read.
    s.CalcolaParametri({}, 1, 6);
    EXPECT_TRUE(s.Casi().empty());
    EXPECT_FALSE(s.ParametriCalcolati());
}

TEST(StatoAnalisi, IsegniDellaPrevisioneEscludonoICasiCopertiDallaRicercaSeguente) {
    auto s = ConCombinazioni();
    ASSERT_TRUE(s.SelezionaCombinazione(1));
    const auto in = s.PreparaPrevisioni(false, false, false);
    ASSERT_TRUE(in.has_value());
    const auto ris = FaiPrevisioni(*in);
    s.ApplicaPrevisioni(ris, in->Terzine);
    const auto coperti = s.Coperti();
    ASSERT_EQ(coperti.size(), s.Casi().size());
    int quanti = 0;
    for (size_t i = 0; i < coperti.size(); ++i) {
        EXPECT_EQ(coperti[i], ris.Segni[i].Primo == SegniCaso::Stato::Verde) << i;
        quanti += coperti[i];
    }
    EXPECT_EQ(quanti, ris.Riepilogo.Coperti);
    ASSERT_GT(quanti, 0);
    EXPECT_EQ(s.PreparaTerzine(false, 30).Coperti, coperti);
    // A new search empties the combinations; a new case table clears the marks.
    EXPECT_TRUE(s.Combinazioni().empty());
    EXPECT_TRUE(s.TerzineScelte().empty());
    s.GeneraCasi({0, 12, 1, false, 0});
    EXPECT_EQ(s.Coperti(), std::vector<bool>(s.Casi().size(), false));
}

TEST(StatoAnalisi, PrevisioniSenzaUnaCombinazionePienaNonToccanoNulla) {
    auto s = ConCombinazioni();
    EXPECT_FALSE(s.PreparaPrevisioni(false, false, false).has_value()); // none chosen
    // An empty row of the table (the list is longer than what scored) is no choice either.
    auto righe = s.Combinazioni();
    righe.back() = Combinazione{};
    s.ApplicaCombinazioni({righe, false});
    ASSERT_TRUE(s.SelezionaCombinazione(static_cast<int>(s.Combinazioni().size())));
    EXPECT_FALSE(s.PreparaPrevisioni(false, false, false).has_value());
    EXPECT_FALSE(s.SelezionaCombinazione(0));
    EXPECT_FALSE(s.SelezionaCombinazione(static_cast<int>(s.Combinazioni().size()) + 1));
}

TEST(StatoAnalisi, LeRuoteRegistrateSonoQuelleDellUltimaRicerca) {
    auto s = ConCombinazioni();
    const auto registrate = s.RuoteRegistrate();
    s.TutteLeRuote(false);
    EXPECT_FALSE(s.AlmenoUnaRuota());
    s.ToggleRuota(4);
    EXPECT_TRUE(s.AlmenoUnaRuota());
    // Combinations, detail and forecast keep playing the wheels of the last terzine search.
    EXPECT_EQ(s.PreparaCombinazioni(1, 20).Ruote, registrate);
    // "Colpi" takes effect at once; "Da colpo" only at the next "Scelta trasformazione".
    s.ImpostaColpi(3);
    EXPECT_EQ(s.Finestra().Colpi, 3);
    EXPECT_EQ(s.Finestra().DaColpo, 1);
}

TEST(StatoAnalisi, VerificaEDettaglioVoglionoUnCasoScelto) {
    auto s = ConCombinazioni();
    EXPECT_FALSE(s.Verifica());
    ASSERT_TRUE(s.SelezionaCombinazione(1));
    EXPECT_TRUE(s.Dettaglio().empty());
    ASSERT_TRUE(s.SelezionaCaso(2));
    ASSERT_TRUE(s.SelezionaCombinazione(1));
    EXPECT_EQ(s.Dettaglio().size(), s.TerzineScelte().size());
    ASSERT_TRUE(s.Verifica());
    EXPECT_EQ(s.Verificate().size(), s.Lista().size());
    // Cutting the list cuts its marks with it.
    ASSERT_TRUE(s.EliminaRighe(5));
    EXPECT_EQ(s.Lista().size(), 4u);
    EXPECT_EQ(s.Verificate().size(), 4u);
}

TEST(StatoAnalisi, PosizioniERegolaDelleOperazioni) {
    StatoAnalisi s;
    EXPECT_EQ(s.TogglePosizione(1), EffettoPosizioni::SoloSomma); // four on
    EXPECT_EQ(s.TogglePosizione(2), EffettoPosizioni::SoloSomma); // three on
    EXPECT_EQ(s.TogglePosizione(3), EffettoPosizioni::AbilitaDistanze);
    EXPECT_EQ(s.TogglePosizione(4), EffettoPosizioni::SoloSomma);
    EXPECT_EQ(s.TogglePosizione(5), EffettoPosizioni::NessunCambio);
    EXPECT_EQ(s.Posizioni(), (PosizioniAbilitate{false, false, false, false, false}));
    // What no control can ask for changes nothing: a sixth position, a twelfth wheel, 0 or 21 colpi.
    s.TogglePosizione(6);
    s.TogglePosizione(0);
    EXPECT_EQ(s.Posizioni(), (PosizioniAbilitate{false, false, false, false, false}));
    const auto ruote = s.Ruote();
    s.ToggleRuota(11);
    s.ToggleRuota(-1);
    EXPECT_EQ(s.Ruote(), ruote);
    EXPECT_TRUE(s.ImpostaColpi(20));
    EXPECT_FALSE(s.ImpostaColpi(0));
    EXPECT_FALSE(s.ImpostaColpi(21));
    EXPECT_EQ(s.Colpi(), 20);
    // Without an archive there is no case to make and nothing to search.
    s.GeneraCasi({});
    EXPECT_TRUE(s.Casi().empty());
    EXPECT_FALSE(s.PuoCercareTerzine());
}

TEST(StatoAnalisi, EliminareRigheNonCambiaLeCombinazioniGiaTrovate) {
    auto s = ConCombinazioni();
    // A combination with a terzina below the row the list is cut at.
    int riga = 0;
    for (size_t r = 0; r < s.Combinazioni().size() && !riga; ++r)
        if (s.Combinazioni()[r].Righe[1] >= 2) riga = static_cast<int>(r) + 1;
    ASSERT_GT(riga, 0);
    ASSERT_TRUE(s.SelezionaCombinazione(riga));
    const auto prima = s.TerzineScelte();
    ASSERT_EQ(prima.size(), 2u);
    ASSERT_TRUE(s.EliminaRighe(3));
    EXPECT_EQ(s.TerzineScelte(), prima);
    const auto in = s.PreparaPrevisioni(false, false, false);
    ASSERT_TRUE(in.has_value());
    EXPECT_EQ(in->Terzine, prima);
    // A new search over the shortened list reads that list.
    EXPECT_EQ(s.PreparaCombinazioni(1, 20).Lista.size(), 2u);
    EXPECT_EQ(s.ListaCombinazioni().size(), 2u);
}

TEST(StatoAnalisi, UnArchivioAccorciatoNonLasciaCasiOltreLaFine) {
    const auto& a = Piccolo();
    auto s = ConCombinazioni();
    EXPECT_FALSE(s.AdattaAllArchivio(SessioneAnalisi::Prestito(a))); // the same archive: nothing to do
    const int ultimo = s.Casi().front().Estrazione;
    auto righe = RigheCasuali(400, 11, 0, 0, 0); // the draws of Piccolo()
    righe.resize(static_cast<size_t>(ultimo - 1));
    const auto accorciato = ArchivioDa(righe);
    ASSERT_EQ(accorciato.NumeroEstrazioni, ultimo - 1);
    EXPECT_TRUE(s.AdattaAllArchivio(SessioneAnalisi::Prestito(accorciato)));
    EXPECT_EQ(s.Riferimento(), ultimo - 1);
    EXPECT_FALSE(s.CasiVisibili());
    EXPECT_EQ(s.Casi().size(), 11u);
    for (const auto& c : s.Casi())
        EXPECT_LE(c.Estrazione, ultimo - 1);
    EXPECT_FALSE(s.AdattaAllArchivio(SessioneAnalisi::Prestito(accorciato)));
}
