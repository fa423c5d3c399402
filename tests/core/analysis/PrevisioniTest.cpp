// Predictions, histories, verification and delays, checked against draws read from the archive file.
#include <gtest/gtest.h>

#include "Supporto.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/Storia.h"
#include "core/analysis/Verifica.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

RuoteGioco Bari() {
    RuoteGioco r{};
    r[0] = true;
    return r;
}

/// The 12 cases of the window's opening values on the real archive (12th draw of the month, Bari).
std::vector<Caso> CasiDiAgosto() {
    const auto& a = ArchivioReale();
    auto casi = GeneraCasi(a, {a.UltimaEstrazione, 12, 12, false, 0});
    CalcolaParametri(a, casi, {});
    return casi;
}

bool Contiene(const std::string& cella, int n) {
    const auto numeri = LeggiCellaRuota(cella);
    return std::find(numeri.begin(), numeri.end(), n) != numeri.end();
}

InputPrevisioni Previsione(std::vector<Terzina> terzine) {
    const auto& a = ArchivioReale();
    InputPrevisioni ip;
    ip.Archivio = &a;
    ip.Casi = CasiDiAgosto();
    ip.Terzine = std::move(terzine);
    ip.Ruote = Bari();
    ip.Finestra = {1, 8, a.UltimaEstrazione};
    return ip;
}

const Terzina T19_39_83{0, 0, 19, 39, 83, 0, 0};
const Terzina T2_63_76{0, 0, 2, 63, 76, 0, 0};

} // namespace

TEST(Previsioni, SuccessiLettiDallArchivio) {
    // Case 2 is 21/07/2026 (draw 7352), parameter 68: 19, 39, 83 play 87, 17, 61, and Bari drew
    // 87 and 61 on 30/07/2026, the fifth draw after it.
    const auto& a = ArchivioReale();
    const auto ris = FaiPrevisioni(Previsione({T19_39_83}));
    ASSERT_EQ(ris.Segni.size(), 12u);
    const auto& casi = CasiDiAgosto();
    ASSERT_EQ(casi[1].Estrazione, 7352);
    ASSERT_EQ(casi[1].Parametro, 68);
    const auto riga = std::find_if(ris.Righe.begin(), ris.Righe.end(), [](auto& r) { return r.Caso == 2; });
    ASSERT_NE(riga, ris.Righe.end());
    EXPECT_EQ(riga->Numeri, (NumeriGiocati{87, 17, 61}));
    EXPECT_EQ(riga->Colpo, 5);
    EXPECT_EQ(riga->Ruota, 0);
    EXPECT_EQ(riga->Esito, "87 61 ");
    EXPECT_EQ(riga->Sorte, 2);
    EXPECT_EQ(riga->Ordinale, 1);
    EXPECT_EQ(RigheReali()[7356].Data, "30/07/2026");
    EXPECT_TRUE(Contiene(RigheReali()[7356].Celle[0], 87));
    EXPECT_TRUE(Contiene(RigheReali()[7356].Celle[0], 61));
    for (int j = 7353; j < 7357; ++j)
        EXPECT_LT(ContaEsito(a.Numeri(j, 0), riga->Numeri), 2) << j;
    EXPECT_EQ(ris.Segni[1].Primo, SegniCaso::Stato::Verde);
    EXPECT_TRUE(ris.Segni[1].Arancio[0]);

    // The newest case is the reference draw itself: its window lies after the archive, it only
    // shows the numbers to play and is in play.
    EXPECT_EQ(ris.Righe[0].Caso, 1);
    EXPECT_EQ(ris.Righe[0].Colpo, 0);
    EXPECT_EQ(ris.Segni[0].Primo, SegniCaso::Stato::Ciano);
    EXPECT_FALSE(ris.Righe[0].Separatore); // the separator before case 1 is removed
    EXPECT_TRUE(ris.Righe[1].Separatore);
    const auto& st = ris.Riepilogo;
    EXPECT_EQ(st.Casi, 12);
    EXPECT_EQ(st.InGioco, 1);
    EXPECT_EQ(st.Coperti + st.InGioco + st.Neg, 12);
    EXPECT_EQ(st.Pos, st.Ambi + st.Terni);
}

TEST(Previsioni, ColpoPiuTardoDiUnAltraTerzinaPerdeLEsito) {
    auto ip = Previsione({T19_39_83, T2_63_76});
    const auto senza = FaiPrevisioni(ip);
    ip.InteroPeriodo = true;
    const auto con = FaiPrevisioni(ip);
    // Without the whole period, each case keeps only its earliest colpo.
    for (int caso = 1; caso <= 12; ++caso) {
        int minimo = 99;
        for (const auto& r : con.Righe)
            if (r.Caso == caso && r.Colpo) minimo = std::min(minimo, r.Colpo);
        for (const auto& r : senza.Righe) {
            if (r.Caso != caso || r.Separatore) continue;
            if (r.Colpo) {
                EXPECT_EQ(r.Colpo, minimo) << caso;
            }
            if (!r.Colpo) {
                EXPECT_TRUE(r.Esito.empty()) << caso;
                EXPECT_EQ(r.Sorte, 0) << caso;
            }
        }
    }
    EXPECT_GE(con.Riepilogo.Pos, senza.Riepilogo.Pos);
    ip.Evidenzia = true;
    ip.InteroPeriodo = false;
    for (const auto& r : FaiPrevisioni(ip).Righe)
        EXPECT_EQ(r.ColpoEvidenziato, r.Colpo > 0);
}

TEST(Previsioni, VerificaEstesaOltreIlRiferimento) {
    const auto& a = ArchivioReale();
    auto ip = Previsione({T19_39_83});
    ip.Finestra.FineVerifica = 7355; // before the success of case 2 on 7357
    EXPECT_EQ(FaiPrevisioni(ip).Segni[1].Primo, SegniCaso::Stato::Ciano);
    ip.VerificaEstesa = true;
    const auto estesa = FaiPrevisioni(ip);
    EXPECT_EQ(estesa.Segni[1].Primo, SegniCaso::Stato::Verde);
    // VerifyTerzine also looks past the reference draw.
    const std::vector<Terzina> lista = {T2_63_76, Terzina{}, T19_39_83};
    const auto verdi = VerificaTerzine(a, ip.Casi[1], lista, Bari(), ip.Finestra);
    EXPECT_EQ(verdi, (std::vector<bool>{false, false, true}));
}

TEST(Storia, StoriaDiUnaTerzinaELaSuaSintesi) {
    const auto& a = ArchivioReale();
    const auto casi = CasiDiAgosto();
    const auto s = StoriaTerzine(a, casi, {T19_39_83}, Bari(), {1, 8, a.UltimaEstrazione}, false);
    EXPECT_EQ(s.Casi, 12);
    EXPECT_EQ(s.Coperti + s.Negativi, 12);
    int negativi = 0, primeRighe = 0;
    for (const auto& r : s.Righe) {
        negativi += r.Negativo;
        primeRighe += r.Caso != 0;
        if (r.Negativo) continue;
        // Every success line is true on the archive.
        EXPECT_GE(ContaEsito(a.Numeri(r.Estrazione + r.Colpo, 0),
                             NumeriPerCaso(r.Parametro, T19_39_83.A, T19_39_83.B, T19_39_83.C)),
                  2);
    }
    EXPECT_EQ(negativi, s.Negativi);
    EXPECT_EQ(primeRighe, 12);
    EXPECT_EQ(s.Righe[1].Previsione, "87 17 61 ");
    EXPECT_EQ(s.Righe[1].Esito, "87 61 ");
    EXPECT_EQ(s.Percentuale, FormatoPercentuale(s.Coperti * 100.0 / 12));
    EXPECT_EQ(FormatoPercentuale(200.0 / 3), "66,7%");
    EXPECT_EQ(FormatoPercentuale(100), "100,0%");
    EXPECT_EQ(FormatoPercentuale(0), "0,0%");

    // A combination joins the groups and, with the whole period, lists further successes.
    const auto c = StoriaTerzine(a, casi, {T19_39_83, T2_63_76}, Bari(), {1, 8, a.UltimaEstrazione}, true);
    EXPECT_EQ(c.Righe[1].Previsione, "87 17 61  - 70 41 54 ");
    EXPECT_GE(c.Positivi, c.Coperti);
    int ulteriori = 0;
    for (const auto& r : c.Righe)
        ulteriori += r.Caso == 0;
    EXPECT_EQ(ulteriori, c.Positivi - c.Coperti);
}

TEST(Verifica, DettaglioDiUnaCombinazione) {
    const auto& a = ArchivioReale();
    const auto casi = CasiDiAgosto();
    const auto d = MostraCombinazione(a, casi[1], {T19_39_83, T2_63_76}, Bari(), {1, 8, 0});
    ASSERT_EQ(d.size(), 2u);
    EXPECT_EQ(d[0].Numeri, (NumeriGiocati{87, 17, 61}));
    EXPECT_EQ(d[0].Esito, 2);
    EXPECT_EQ(d[0].Colpo, 5);
    EXPECT_TRUE(d[0].Usciti[0]);
    EXPECT_TRUE(d[0].Usciti[2]);
    // The newest case's window lies after the last draw: nothing comes out.
    const auto futuro = MostraCombinazione(a, casi[0], {T19_39_83}, Bari(), {1, 8, 0});
    EXPECT_EQ(futuro[0].Esito, 0);
    EXPECT_EQ(futuro[0].Usciti, (std::array<bool, 3>{}));
}

TEST(Ritardi, ContatiSulLArchivioModello) {
    const auto& a = ArchivioReale();
    const auto t = CalcolaRitardi(a, 7370);
    // 21/08/2026 Firenze 01-17-76-13-16: delay 0; the literal rule with the model 1..N.
    EXPECT_EQ(t.Ritardi[1][2], 0);
    for (int n : {1, 40, 90})
        for (int w : {0, 3, 10}) {
            int k = 7370;
            while (k >= 1 &&
                   std::find(a.Numeri(k, w).begin(), a.Numeri(k, w).end(), n) == a.Numeri(k, w).end())
                --k;
            EXPECT_EQ(t.Ritardi[n][w], 7370 - std::max(k, 0)) << n << " " << w;
        }
    // A model that starts later: delays count model draws only, and stay within them.
    ArchivioMemoria m = a;
    m.CostruisciModello(7001);
    const auto tm = CalcolaRitardi(m, 7370);
    for (int n = 1; n <= 90; ++n)
        for (int w = 0; w < NumeroRuote; ++w) {
            EXPECT_LE(tm.Ritardi[n][w], 370);
            if (t.Ritardi[n][w] < 370) {
                EXPECT_EQ(tm.Ritardi[n][w], t.Ritardi[n][w]);
            }
        }
    // A draw before the model: nothing to count.
    EXPECT_EQ(CalcolaRitardi(m, 5000).Ritardi[7][0], 0);
}

TEST(Previsioni, NumeriMarcatiDiUnCaso) {
    const auto ris = FaiPrevisioni(Previsione({T19_39_83, T2_63_76}));
    EXPECT_EQ(NumeriMarcati(ris.Righe, 2), (std::vector<int>{87, 17, 61, 70, 41, 54}));
}
