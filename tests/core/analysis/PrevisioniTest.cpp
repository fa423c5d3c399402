// SPDX-License-Identifier: GPL-3.0-or-later
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

// Small archives worked out by hand (ArchivioAMano: draw k falls on day k of January 2000). The
// numbers 40..44 and 50..72 fill the draws and are never played.

namespace trivalto {
// Readable failures for the records compared whole below.
void PrintTo(const RigaPrevisione& r, std::ostream* os) {
    if (r.Separatore) {
        *os << "{separatore}";
        return;
    }
    *os << "{caso " << r.Caso << ", estr " << r.Estrazione << ", T" << r.NumeroTerzina << ", EP "
        << r.Ordinale << ", " << r.Numeri[0] << "-" << r.Numeri[1] << "-" << r.Numeri[2] << ", ruota "
        << r.Ruota << ", C " << r.Colpo << ", \"" << r.Esito << "\", S " << r.Sorte
        << (r.ColpoEvidenziato ? ", evidenziato" : "") << "}";
}
void PrintTo(const Statistiche& s, std::ostream* os) {
    *os << "{casi " << s.Casi << ", coperti " << s.Coperti << ", pos " << s.Pos << ", neg " << s.Neg
        << ", in gioco " << s.InGioco << ", ambi " << s.Ambi << ", terni " << s.Terni << "}";
}
void PrintTo(const SegniCaso& s, std::ostream* os) {
    *os << (s.Primo == SegniCaso::Stato::Verde   ? "verde"
            : s.Primo == SegniCaso::Stato::Ciano ? "ciano"
                                                 : "bianco")
        << " " << s.Arancio[0] << s.Arancio[1] << s.Arancio[2];
}
void PrintTo(const RigaStoria& r, std::ostream* os) {
    *os << "{caso " << r.Caso << ", estr " << r.Estrazione << ", base " << r.RuotaBase << ", par "
        << r.Parametro << ", \"" << r.Previsione << "\", \"" << r.Esito << "\", sorte " << r.Sorte
        << ", ruota " << r.Ruota << ", colpo " << r.Colpo << (r.Negativo ? ", negativo" : "") << "}";
}
void PrintTo(const DettaglioTerzina& d, std::ostream* os) {
    *os << "{" << d.Numeri[0] << "-" << d.Numeri[1] << "-" << d.Numeri[2] << ", usciti " << d.Usciti[0]
        << d.Usciti[1] << d.Usciti[2] << ", esito " << d.Esito << ", ruota " << d.Ruota << ", colpo "
        << d.Colpo << "}";
}
} // namespace trivalto

namespace {

const std::string Niente = "40-41-42-43-44";

RuoteGioco BariCagliari() {
    RuoteGioco r{};
    r[0] = r[1] = true;
    return r;
}

RigaPrevisione Separatore() {
    RigaPrevisione r;
    r.Separatore = true;
    return r;
}

/// A forecast row; without the success fields it is a row that only shows the numbers to play.
RigaPrevisione Riga(int caso, int estrazione, int terzina, NumeriGiocati numeri, int ordinale = 0,
                    int ruota = -1, int colpo = 0, std::string esito = "", int sorte = 0) {
    RigaPrevisione r;
    r.Caso = caso;
    r.Estrazione = estrazione;
    r.NumeroTerzina = terzina;
    r.Numeri = numeri;
    r.Ordinale = ordinale;
    r.Ruota = ruota;
    r.Colpo = colpo;
    r.Esito = std::move(esito);
    r.Sorte = sorte;
    return r;
}

SegniCaso Segno(SegniCaso::Stato primo, std::array<bool, 3> arancio = {}) {
    return SegniCaso{primo, {arancio[0], arancio[1], arancio[2]}};
}

} // namespace

TEST(PrevisioniAMano, FinestraCheFinisceSulRiferimentoOUnaDopo) {
    // Bari only, "Da colpo" 2 and 2 colpi: a case at draw d plays on d + 2 and d + 3. Reference draw 5
    // of 7. Terzina 1-2-3.
    //  case 1: draw 3, parameter 10, plays 11 12 13 on draws 5..6. Its terno on draw 6 lies past the
    //          reference: not seen, and 3 + 2 + 2 - 1 = 6 > 5 keeps it in play (cyan).
    //  case 2: draw 2, parameter 20, plays 21 22 23 on draws 4..5: 2 + 2 + 2 - 1 = 5 is the reference
    //          itself, so its window is over without a success: negative, not in play.
    //  case 3: draw 1, parameter 30, plays 31 32 33 on draws 3..4. Draw 2 holds all three, but it is
    //          before the window; draw 3 holds 33 and 31: an ambo at colpo 1, in played order "31 33 ".
    const auto a = ArchivioAMano(
        {{Niente}, {"31-32-33-50-51"}, {"33-50-31-51-52"}, {Niente}, {Niente}, {"11-12-13-60-61"}, {Niente}});
    InputPrevisioni in;
    in.Archivio = &a;
    in.Casi = {{3, 0, 10}, {2, 0, 20}, {1, 0, 30}};
    in.Terzine = {Terzina{0, 0, 1, 2, 3, 0, 0}};
    in.Ruote = Bari();
    in.Finestra = {2, 2, 5};
    const auto ris = FaiPrevisioni(in);
    EXPECT_EQ(ris.Righe, (std::vector<RigaPrevisione>{Riga(1, 3, 1, {11, 12, 13}), Separatore(),
                                                      Riga(2, 2, 1, {21, 22, 23}), Separatore(),
                                                      Riga(3, 1, 1, {31, 32, 33}, 1, 0, 1, "31 33 ", 2)}));
    EXPECT_EQ(ris.Segni,
              (std::vector<SegniCaso>{Segno(SegniCaso::Stato::Ciano), Segno(SegniCaso::Stato::Bianco),
                                      Segno(SegniCaso::Stato::Verde, {true, false, false})}));
    // Cases, covered, pos, neg, in play, ambi, terni.
    EXPECT_EQ(ris.Riepilogo, (Statistiche{3, 1, 1, 1, 1, 1, 0}));

    // "Verifica estesa" checks up to the last draw: case 1 finds its terno at colpo 2 and is covered;
    // case 2 is still judged against the reference draw, so it stays negative.
    in.VerificaEstesa = true;
    const auto estesa = FaiPrevisioni(in);
    EXPECT_EQ(estesa.Righe[0], Riga(1, 3, 1, {11, 12, 13}, 1, 0, 2, "11 12 13 ", 3));
    EXPECT_EQ(estesa.Segni[0], Segno(SegniCaso::Stato::Verde, {true, false, false}));
    EXPECT_EQ(estesa.Segni[1], Segno(SegniCaso::Stato::Bianco));
    EXPECT_EQ(estesa.Riepilogo, (Statistiche{3, 2, 2, 1, 0, 1, 1}));
}

TEST(PrevisioniAMano, DueRuoteNellaStessaEstrazioneEColpoPiuTardo) {
    // One case, draw 1, parameter 0 (the offsets are the numbers): terzina 1 plays 1 2 3, terzina 2
    // plays 4 5 6, on Bari and Cagliari, draws 2..5 (colpi 1..4), reference 6.
    //  draw 3 (colpo 2): Bari 1 2, Cagliari 3 2: terzina 1 wins on both wheels, a row each;
    //  draw 4 (colpo 3): Bari 4 5 6: terno of terzina 2;
    //  draw 5 (colpo 4): Bari 1 2 3 (terzina 1), Cagliari 5 6 (terzina 2).
    const auto a = ArchivioAMano({{Niente, Niente},
                                  {Niente, Niente},
                                  {"01-02-40-41-42", "03-02-50-51-52"},
                                  {"04-05-06-41-42", Niente},
                                  {"01-02-03-43-44", "05-06-40-41-42"},
                                  {Niente, Niente}});
    InputPrevisioni in;
    in.Archivio = &a;
    in.Casi = {{1, 0, 0}};
    in.Terzine = {Terzina{0, 0, 1, 2, 3, 0, 0}, Terzina{0, 0, 4, 5, 6, 0, 0}};
    in.Ruote = BariCagliari();
    in.Finestra = {1, 4, 6};

    // First draw with a success only: terzina 1 stops after draw 3 (both wheels), terzina 2 after
    // draw 4. The case's first colpo is 2, so terzina 2's colpo 3 is emptied with its outcome; its
    // "EP", wheel and orange mark stay. Two ambi count; 1 + 1 + 4 - 1 = 5 <= 6: not in play.
    auto ris = FaiPrevisioni(in);
    EXPECT_EQ(ris.Righe, (std::vector<RigaPrevisione>{Riga(1, 1, 1, {1, 2, 3}, 1, 0, 2, "1 2 ", 2),
                                                      Riga(1, 1, 1, {1, 2, 3}, 2, 1, 2, "2 3 ", 2),
                                                      Riga(1, 1, 2, {4, 5, 6}, 1, 0, 0, "", 0)}));
    EXPECT_EQ(ris.Segni, (std::vector<SegniCaso>{Segno(SegniCaso::Stato::Verde, {true, true, false})}));
    EXPECT_EQ(ris.Riepilogo, (Statistiche{1, 1, 2, 0, 0, 2, 0}));

    // "Evidenzia 1° sfaldamento" marks the colpo-2 cells only.
    in.Evidenzia = true;
    ris = FaiPrevisioni(in);
    ASSERT_EQ(ris.Righe.size(), 3u);
    EXPECT_TRUE(ris.Righe[0].ColpoEvidenziato);
    EXPECT_TRUE(ris.Righe[1].ColpoEvidenziato);
    EXPECT_FALSE(ris.Righe[2].ColpoEvidenziato);

    // The whole period: every success in the window keeps its row, numbered per terzina.
    in.Evidenzia = false;
    in.InteroPeriodo = true;
    ris = FaiPrevisioni(in);
    EXPECT_EQ(ris.Righe, (std::vector<RigaPrevisione>{Riga(1, 1, 1, {1, 2, 3}, 1, 0, 2, "1 2 ", 2),
                                                      Riga(1, 1, 1, {1, 2, 3}, 2, 1, 2, "2 3 ", 2),
                                                      Riga(1, 1, 1, {1, 2, 3}, 3, 0, 4, "1 2 3 ", 3),
                                                      Riga(1, 1, 2, {4, 5, 6}, 1, 0, 3, "4 5 6 ", 3),
                                                      Riga(1, 1, 2, {4, 5, 6}, 2, 1, 4, "5 6 ", 2)}));
    EXPECT_EQ(ris.Riepilogo, (Statistiche{1, 1, 5, 0, 0, 3, 2}));
}

TEST(StoriaAMano, UnaRigaPerRuotaENienteOltreIlRiferimento) {
    // Terzine 1-2-3 and 1-2-4 together, on Bari and Cagliari, 4 colpi from the next draw.
    //  case 1: draw 2, parameter 20, plays 21 22 23 - 21 22 24 on draws 3..6;
    //  case 2: draw 1, parameter 10, plays 11 12 13 - 11 12 14 on draws 2..5.
    //  draw 2: Bari 11 12 (both terzine of case 2 win there: one line), Cagliari 12 14 (the second);
    //  draw 3: Cagliari 21 22 (both terzine of case 1: one line);
    //  draw 4: Bari 11 13 (case 2 again, colpo 3);
    //  draw 6: Bari 21 23 (case 1 again, colpo 4).
    const auto a = ArchivioAMano({{Niente, Niente},
                                  {"11-12-50-51-52", "12-14-50-51-52"},
                                  {Niente, "21-22-24-60-61"},
                                  {"11-13-40-41-42", Niente},
                                  {Niente, Niente},
                                  {"21-23-40-41-42", Niente}});
    const std::vector<Caso> casi = {{2, 0, 20}, {1, 0, 10}};
    const std::vector<Terzina> terzine = {Terzina{0, 0, 1, 2, 3, 0, 0}, Terzina{0, 0, 1, 2, 4, 0, 0}};
    const std::string p1 = "21 22 23  - 21 22 24 ", p2 = "11 12 13  - 11 12 14 ";
    const auto riga = [](int caso, int estr, int par, const std::string& prev, const std::string& esito,
                         int ruota, int colpo) {
        return RigaStoria{caso, estr, 0, par, prev, esito, 2, ruota, colpo, false};
    };
    const RigaStoria caso1 = riga(1, 2, 20, p1, "21 22 ", 1, 1),
                     caso1Poi = riga(0, 2, 20, p1, "21 23 ", 0, 4);
    const RigaStoria caso2 = riga(2, 1, 10, p2, "11 12 ", 0, 1),
                     caso2Cagliari = riga(0, 1, 10, p2, "12 14 ", 1, 1),
                     caso2Poi = riga(0, 1, 10, p2, "11 13 ", 0, 3);

    // The whole period, reference at the last draw: every draw and wheel with a success, one line each.
    auto s = StoriaTerzine(a, casi, terzine, BariCagliari(), {1, 4, 6}, true);
    EXPECT_EQ(s.Righe, (std::vector<RigaStoria>{caso1, caso1Poi, caso2, caso2Cagliari, caso2Poi}));
    EXPECT_EQ(s.Casi, 2);
    EXPECT_EQ(s.Coperti, 2);
    EXPECT_EQ(s.Negativi, 0);
    EXPECT_EQ(s.Positivi, 5);
    EXPECT_EQ(s.Percentuale, "100,0%");

    // First success only: each case ends with its first draw that won, all of that draw's wheels.
    s = StoriaTerzine(a, casi, terzine, BariCagliari(), {1, 4, 6}, false);
    EXPECT_EQ(s.Righe, (std::vector<RigaStoria>{caso1, caso2, caso2Cagliari}));
    EXPECT_EQ(s.Positivi, 3);

    // Reference draw 3: draws 4 and 6 do not exist yet for the history.
    s = StoriaTerzine(a, casi, terzine, BariCagliari(), {1, 4, 3}, true);
    EXPECT_EQ(s.Righe, (std::vector<RigaStoria>{caso1, caso2, caso2Cagliari}));
    EXPECT_EQ(s.Coperti, 2);

    // Reference draw 2: case 1's window has not begun, so it is a negative case with an empty outcome.
    s = StoriaTerzine(a, casi, terzine, BariCagliari(), {1, 4, 2}, true);
    RigaStoria negativo{1, 2, 0, 20, p1, "", 0, -1, 0, true};
    EXPECT_EQ(s.Righe, (std::vector<RigaStoria>{negativo, caso2, caso2Cagliari}));
    EXPECT_EQ(s.Coperti, 1);
    EXPECT_EQ(s.Negativi, 1);
    EXPECT_EQ(s.Positivi, 2);
    EXPECT_EQ(s.Percentuale, "50,0%");
}

TEST(VerificaAMano, DettaglioFinoAlPrimoSuccessoEOltreIlRiferimento) {
    // Case at draw 1, parameter 10, Bari and Cagliari, draws 2..5 (4 colpi); the reference draw (2)
    // does not limit the detail. Terzine 1-2-3 (11 12 13), 4-5-6 (14 15 16), 7-8-9 (17 18 19).
    //  draw 2: Bari 13 alone (no success yet, but it came out);
    //  draw 3: Bari 15 alone; Cagliari 11 12: first success of 11 12 13, colpo 2;
    //  draw 4: Bari 11 12 13, a later terno that must not replace it; Cagliari 14 15: first success
    //          of 14 15 16, colpo 3;
    //  draw 5: Bari 16, after that success: not marked;
    //  draw 6: Bari 17 18 19, one draw past the window: 7-8-9 never wins.
    const auto a = ArchivioAMano({{Niente, Niente},
                                  {"13-40-41-42-43", Niente},
                                  {"15-40-41-42-43", "11-12-40-41-42"},
                                  {"11-12-13-40-41", "14-15-40-41-42"},
                                  {"16-40-41-42-43", Niente},
                                  {"17-18-19-40-41", Niente}});
    const Caso caso{1, 0, 10};
    const Terzina t123{0, 0, 1, 2, 3, 0, 0}, t456{0, 0, 4, 5, 6, 0, 0}, t789{0, 0, 7, 8, 9, 0, 0};
    const FinestraGioco finestra{1, 4, 2};
    const auto d = MostraCombinazione(a, caso, {t123, t456, t789}, BariCagliari(), finestra);
    EXPECT_EQ(d, (std::vector<DettaglioTerzina>{{{11, 12, 13}, {true, true, true}, 2, 1, 2},
                                                {{14, 15, 16}, {true, true, false}, 2, 1, 3},
                                                {{17, 18, 19}, {false, false, false}, 0, -1, 0}}));
    // The check of the listed terzine also goes past the reference draw; an empty row never wins.
    EXPECT_EQ(VerificaTerzine(a, caso, {t123, Terzina{}, t456, t789}, BariCagliari(), finestra),
              (std::vector<bool>{true, false, true, false}));
}
