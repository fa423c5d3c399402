// Small archives worked out by hand, for what the random and real-archive sweeps do not pin down:
// the end of a play window at the reference draw, one history line for two terzine winning together,
// the first success in the combination detail, empty rows among the terzine, century years, the edges
// of the text format and a transaction that fails on an open connection.
#include <gtest/gtest.h>

#include <sstream>

#include "Supporto.h"
#include "core/analysis/Combinazioni.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/Storia.h"
#include "core/analysis/Verifica.h"
#include "core/archive/FormatiTesto.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// Six draws on consecutive days from 01/01/2000; Bari holds `bari[k]` in draw k + 1, the other
/// wheels are empty. Only Bari is played.
ArchivioMemoria Archivio(const std::vector<std::string>& bari) {
    std::vector<RigaEstrazione> righe;
    for (size_t k = 0; k < bari.size(); ++k) {
        RigaEstrazione r;
        r.Data = TestoData({static_cast<int>(k) + 1, 1, 2000});
        r.Celle.fill("----");
        r.Celle[0] = bari[k];
        righe.push_back(r);
    }
    return ArchivioDa(righe);
}

const std::string Niente = "40-41-42-43-44"; // none of the numbers the tests play
RuoteGioco SoloBari() {
    RuoteGioco r{};
    r[0] = true;
    return r;
}

} // namespace

TEST(Mano, PrevisioniFinestraCheFinisceSulRiferimento) {
    // Parameter 10 and offsets 1, 2, 3 play 11, 12, 13, which never come out. Window: 3 draws from
    // the next. Case at draw 1: draws 2..4, ending on the reference draw 4, so it is over: negative.
    // Case at draw 2: draws 3..5, one past the reference: still in play.
    const auto a = Archivio({Niente, Niente, Niente, Niente, Niente, Niente});
    InputPrevisioni in;
    in.Archivio = &a;
    in.Casi = {{1, 0, 10}, {2, 0, 10}};
    in.Terzine = {Terzina{0, 0, 1, 2, 3, 0, 0}};
    in.Ruote = SoloBari();
    in.Finestra = {1, 3, 4};
    const auto ris = FaiPrevisioni(in);
    ASSERT_EQ(ris.Segni.size(), 2u);
    EXPECT_EQ(ris.Segni[0].Primo, SegniCaso::Stato::Bianco);
    EXPECT_EQ(ris.Segni[1].Primo, SegniCaso::Stato::Ciano);
    EXPECT_EQ(ris.Riepilogo, (Statistiche{2, 0, 0, 1, 1, 0, 0}));
}

TEST(Mano, StoriaUnaRigaPerDueTerzineInsiemeENienteOltreIlRiferimento) {
    // Draw 2 holds 11 and 12: the terzine 1-2-3 (11 12 13) and 1-2-4 (11 12 14) both win an ambo on
    // Bari in the same draw: one line, the first terzina's. Draw 4 (11 14) is the second's alone.
    const auto a = Archivio({Niente, "11-12-50-51-52", Niente, "11-14-60-61-62", Niente, Niente});
    const std::vector<Terzina> terzine = {Terzina{0, 0, 1, 2, 3, 0, 0}, Terzina{0, 0, 1, 2, 4, 0, 0}};
    const auto s = StoriaTerzine(a, {{1, 0, 10}}, terzine, SoloBari(), {1, 5, 6}, true);
    ASSERT_EQ(s.Righe.size(), 2u); // draw 2, then draw 4
    EXPECT_EQ(s.Righe[0].Estrazione, 1);
    EXPECT_EQ(s.Righe[0].Esito, "11 12 ");
    EXPECT_EQ(s.Righe[1].Esito, "11 14 ");
    EXPECT_EQ(s.Coperti, 1);
    // With the reference draw at 3 the win of draw 4 does not exist; with it at 1, nothing does.
    EXPECT_EQ(StoriaTerzine(a, {{1, 0, 10}}, terzine, SoloBari(), {1, 5, 3}, true).Righe.size(), 1u);
    const auto prima = StoriaTerzine(a, {{1, 0, 10}}, terzine, SoloBari(), {1, 5, 1}, true);
    EXPECT_EQ(prima.Negativi, 1);
    EXPECT_EQ(prima.Coperti, 0);
}

TEST(Mano, DettaglioSoloFinoAlPrimoSuccesso) {
    // 11 and 12 at colpo 1 (draw 2); 13 only at colpo 3 (draw 4), after the first success: not marked.
    const auto a = Archivio({Niente, "11-12-50-51-52", Niente, "12-13-60-61-62", Niente, Niente});
    const auto d = MostraCombinazione(a, {1, 0, 10}, {Terzina{0, 0, 1, 2, 3, 0, 0}}, SoloBari(), {1, 5, 0});
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0].Numeri, (NumeriGiocati{11, 12, 13}));
    EXPECT_EQ(d[0].Usciti, (std::array<bool, 3>{true, true, false}));
    EXPECT_EQ(d[0].Esito, 2);
    EXPECT_EQ(d[0].Colpo, 1);
    EXPECT_EQ(d[0].Ruota, 0);
}

TEST(Mano, CombinazioniConRigheVuoteNellElenco) {
    // Three cases, one colpo each. 1-2-3 covers the case at draw 1 (it plays 11 12 13; draw 2 holds
    // 11 12); 1-5-6 covers the case at draw 3 (parameter 12: 13 17 18; draw 4 holds 13 17) and not
    // the first (11 15 16); the case at draw 5 is never covered. Between them an empty row.
    const auto a = Archivio({Niente, "11-12-50-51-52", Niente, "13-17-60-61-62", Niente, Niente});
    InputCombinazioni ic;
    ic.Archivio = &a;
    ic.Casi = {{1, 0, 10}, {3, 0, 12}, {5, 0, 10}};
    ic.Lista = {Terzina{1, 2, 1, 2, 3, 1, 0}, Terzina{}, Terzina{1, 2, 1, 5, 6, 1, 0}};
    ic.Ruote = SoloBari();
    ic.Finestra = {1, 1, 6};
    ic.K = 2;
    ic.Elenco = 10;
    const auto veloce = CercaCombinazioni(ic);
    EXPECT_EQ(veloce.Righe, CercaCombinazioniRiferimento(ic).Righe);
    // The best pair holds both filled rows and covers two cases; a pair with the empty row, one.
    ASSERT_FALSE(veloce.Righe[0].Vuota());
    EXPECT_EQ(veloce.Righe[0].Cop, 2);
    EXPECT_EQ(veloce.Righe[0].Righe[0], 0);
    EXPECT_EQ(veloce.Righe[0].Righe[1], 2);
    EXPECT_EQ(veloce.Righe[1].Cop, 1);
    for (int K : {1, 3}) {
        ic.K = K;
        EXPECT_EQ(CercaCombinazioni(ic).Righe, CercaCombinazioniRiferimento(ic).Righe) << K;
    }
}

TEST(Mano, AnniSecolari) {
    Data d;
    EXPECT_FALSE(LeggiDataTesto("29/02/1900", d));
    EXPECT_TRUE(LeggiDataTesto("29/02/2000", d));
    EXPECT_FALSE(LeggiDataTesto("29/02/2100", d));
    EXPECT_TRUE(LeggiDataTesto("29/02/1944", d));
    EXPECT_FALSE(LeggiDataIso("1900-02-29", d));
    EXPECT_TRUE(LeggiDataIso("2000-02-29", d));
    EXPECT_FALSE(DataValida({29, 2, 2100}));
    EXPECT_EQ(MeseDiData("29/02/1900"), 0); // not a date, so no month
}

TEST(Mano, BordiDelFormatoTesto) {
    RigaEstrazione r{"07/01/2000", {}};
    r.Celle.fill("01-02-03-04-05");
    r.Celle[10] = "----";
    const auto linea = ScriviLineaArchivioTesto(r);
    ASSERT_EQ(linea.size(), 175u);
    // The empty Nazionale may lose its trailing blanks: 165 to 174 characters are one draw.
    for (size_t n : {165u, 170u, 174u})
        EXPECT_EQ(LeggiLineaArchivioTesto(linea.substr(0, n), 1), r) << n;
    EXPECT_THROW(LeggiLineaArchivioTesto(linea.substr(0, 164), 1), ErroreFormato);
    // A number padded with a blank instead of a zero is no stored cell: refused with its line.
    auto spazio = linea;
    spazio[12] = ' ';
    try {
        LeggiLineaArchivioTesto(spazio, 7);
        FAIL() << "riga accettata";
    } catch (const ErroreFormato& e) {
        EXPECT_EQ(e.Riga, 7);
    }
    EXPECT_EQ(LeggiCellaRuota(" 1-02-03-04-05")[0], 1); // the lenient read of a stored cell
    // Blank lines before the first draw are passed over.
    std::istringstream file("\r\n\r\n" + linea + "\r\n");
    const auto righe = LeggiArchivioTesto(file);
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0], r);
}

TEST(Mano, TransazioneFallitaSuUnaConnessioneAperta) {
    CartellaTemporanea c;
    Database db(c / "t.mdb", PasswordDatabase(), Database::Modo::Crea);
    db.Esegui("CREATE TABLE t (x INTEGER UNIQUE)");
    {
        Transaction tr(db);
        db.Esegui("INSERT INTO t VALUES (1)");
        EXPECT_THROW(db.Esegui("INSERT INTO t VALUES (1)"), ErroreDatabase);
    } // not confirmed: rolled back
    EXPECT_FALSE(db.InTransazione());
    {
        Transaction tr(db);
        db.Esegui("INSERT INTO t VALUES (2)");
        {
            Transaction interna(db); // belongs to the outer one
            db.Esegui("INSERT INTO t VALUES (3)");
            interna.Conferma();
        }
        EXPECT_TRUE(db.InTransazione());
        tr.Conferma();
    }
    auto st = db.Prepara("SELECT group_concat(x) FROM (SELECT x FROM t ORDER BY x)");
    ASSERT_TRUE(st.Step());
    EXPECT_EQ(st.Testo(0), "2,3");
}
