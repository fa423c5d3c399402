// Update files: records and the first-line mark, the three kinds of source, the check against an
// archive database, and the apply in one transaction; on the real draws where it matters.
#include <gtest/gtest.h>
#include <zip.h>

#include <fstream>
#include <sstream>

#include "Supporto.h"
#include "core/archive/FormatiTesto.h"
#include "core/maintenance/Aggiornamento.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// An archive database holding the first `quante` real draws.
std::unique_ptr<DatabaseArchivio> ArchivioReale(const CartellaTemporanea& c, size_t quante) {
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    Transaction tr(db->Db());
    for (size_t i = 0; i < quante; ++i)
        db->Inserisci(RigheReali()[i], "2026-12-08", "10:00:00");
    tr.Conferma();
    return db;
}

std::string Linea(const RigaEstrazione& r) {
    return ScriviLineaArchivioTesto(r) + "\r\n";
}

} // namespace

TEST(Aggiornamento, RecordEPrimaRiga) {
    EXPECT_EQ(LeggiRecord("ab,cd\r\nef\r\n\r\n"), (std::vector<std::string>{"ab", "cd", "ef", ""}));
    EXPECT_EQ(LeggiRecord("\"a,b\"x,c\nd"), (std::vector<std::string>{"a,b", "c", "d"}));
    const std::string draw = ScriviLineaArchivioTesto(RigheReali()[0]);
    ASSERT_EQ(draw.size(), 175u);
    EXPECT_FALSE(PrimoRecordValido(draw + "\r\n"));
    EXPECT_TRUE(PrimoRecordValido(draw + " pr\r\n"));
    EXPECT_TRUE(PrimoRecordValido(draw + "Xpr\r\n")); // any third-last character
    EXPECT_FALSE(PrimoRecordValido(draw + " pr \r\n"));
    // A comma splits a line into two rows.
    EXPECT_EQ(RigheDaTesto("07/01/1939 58-22,47\r\n").size(), 2u);
}

TEST(Aggiornamento, TreTipiDiSorgente) {
    const auto testo = Leggi(PercorsoDati("aggiornamento-ultime100.txt"));
    EXPECT_EQ(RiconosciSorgente(testo), TipoSorgente::TestoArchivio);
    const auto righe = RigheDaSorgente(testo);
    ASSERT_EQ(righe.size(), 100u);
    EXPECT_EQ(righe.back().Data, "21/08/2026");
    EXPECT_EQ(righe.back().Celle[10], "51-89-82-70-37");
    // The last 100 draws of the per-wheel archive, zipped: the same rows.
    const std::string coda = CodaStorico(1100);
    const auto zip = ZipDi("storico.txt", coda);
    EXPECT_EQ(RiconosciSorgente(zip), TipoSorgente::Zip);
    EXPECT_EQ(RiconosciSorgente(coda), TipoSorgente::Storico);
    const auto daZip = RigheDaSorgente(zip);
    ASSERT_EQ(daZip.size(), 100u);
    EXPECT_EQ(std::vector(daZip.end() - 99, daZip.end()), std::vector(righe.end() - 99, righe.end()));
    EXPECT_THROW(RigheDaSorgente(std::string("\x01\x02 nessun formato \xff", 17)), ErroreAggiornamento);
    EXPECT_THROW(RigheDaSorgente("PK\x03\x04 rovinato"), ErroreAggiornamento);
}

TEST(Aggiornamento, ControlloEApplicazioneSullArchivioReale) {
    CartellaTemporanea c;
    const size_t n = RigheReali().size();
    auto db = ArchivioReale(c, n - 10);
    const auto righe = RigheDaSorgente(Leggi(PercorsoDati("aggiornamento-ultime100.txt")));
    const auto esito = ControllaRighe(*db, righe);
    int daImportare = 0, uguali = 0;
    for (const auto& e : esito.Righe) {
        daImportare += e.Segno == Marca::DaImportare;
        uguali += e.Segno == Marca::Uguale;
    }
    EXPECT_EQ(daImportare, 10);
    EXPECT_EQ(uguali, 90);
    ASSERT_EQ(esito.Resoconto.size(), 11u);
    EXPECT_EQ(esito.Resoconto.front(), "Manca estrazione del: 21/08/2026"); // latest first
    EXPECT_EQ(esito.Resoconto.back(), "Nessuna anomalia rilevata");
    const auto applicato = ApplicaRighe(*db, righe, esito.Righe, false);
    EXPECT_EQ(applicato.Aggiunte, 10);
    EXPECT_EQ(applicato.Resoconto.back(), "aggiunti N° 10 record");
    EXPECT_EQ(applicato.Resoconto.front().rfind("Aggiunta estrazione del", 0), 0u);
    EXPECT_EQ(db->LeggiTutte(), RigheReali());
}

TEST(Aggiornamento, DifferenzeRigheNonValideETransazione) {
    CartellaTemporanea c;
    const auto& reali = RigheReali();
    auto db = ArchivioReale(c, 3);
    auto diversa = reali[1];
    diversa.Celle[10] = "01-02-03-04-05"; // differs only on Nazionale
    auto rovinata = reali[3];
    rovinata.Celle[4] = "99-02-03-04-05";
    auto doppia = reali[4];
    doppia.Celle[0] = "07-07-03-04-05";
    std::string testo = Linea(reali[0]) + Linea(diversa) + Linea(rovinata) + Linea(doppia) + Linea(reali[5]) +
                        Linea(reali[6]) + "31/02/1940" + Linea(reali[7]).substr(10);
    const auto righe = RigheDaSorgente(testo);
    ASSERT_EQ(righe.size(), 7u);
    const auto esito = ControllaRighe(*db, righe);
    EXPECT_EQ(esito.Righe[0].Segno, Marca::Uguale);
    EXPECT_EQ(esito.Righe[1].Segno, Marca::Errata);
    EXPECT_TRUE(esito.Righe[1].RuoteUguali[9]);
    EXPECT_FALSE(esito.Righe[1].RuoteUguali[10]);
    EXPECT_EQ(esito.Righe[2].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[2].Difetto, "la ruota Milano ha un numero fuori da 1..90");
    EXPECT_EQ(esito.Righe[3].Difetto, "la ruota Bari ha un numero ripetuto");
    EXPECT_EQ(esito.Righe[6].Segno, Marca::NonValida);
    EXPECT_EQ(esito.Righe[4].Segno, Marca::DaImportare);
    EXPECT_TRUE(std::find(esito.Resoconto.begin(), esito.Resoconto.end(),
                          "Errori Estrazione del " + reali[1].Data) != esito.Resoconto.end());
    EXPECT_TRUE(std::find(esito.Resoconto.begin(), esito.Resoconto.end(), "Nessuna anomalia rilevata") ==
                esito.Resoconto.end());

    // Without "Corregge estrazioni errate" the different draw stays; invalid rows are never written.
    auto senza = ApplicaRighe(*db, righe, esito.Righe, false);
    EXPECT_EQ(senza.Aggiunte, 2);
    EXPECT_EQ(senza.Modificate, 0);
    EXPECT_EQ(db->Trova(reali[1].Data), reali[1]);
    EXPECT_FALSE(db->Trova(reali[3].Data).has_value());
    EXPECT_EQ(db->Conta(), 5);
    const auto con = ApplicaRighe(*db, righe, esito.Righe, true);
    EXPECT_EQ(con.Modificate, 1);
    EXPECT_EQ(con.Resoconto, std::vector<std::string>{"Modificata estrazione del" + reali[1].Data});
    EXPECT_EQ(db->Trova(reali[1].Data)->Celle[10], "01-02-03-04-05");

    // A draw the database refuses: nothing of the apply stays, and the error names it.
    auto db2 = DatabaseArchivio::ApriOCrea(c / "b.mdb");
    db2->Db().Esegui("CREATE TRIGGER rifiuta BEFORE INSERT ON EstrazioniLotto WHEN NEW.DataEstrazione = '" +
                     IsoData([&] {
                         Data d;
                         LeggiDataTesto(reali[6].Data, d);
                         return d;
                     }()) +
                     "' BEGIN SELECT RAISE(ABORT, 'rifiutata'); END");
    const auto esito2 = ControllaRighe(*db2, righe);
    try {
        ApplicaRighe(*db2, righe, esito2.Righe, false);
        FAIL() << "attesa un'eccezione";
    } catch (const ErroreAggiornamento& e) {
        EXPECT_NE(std::string(e.what()).find(reali[6].Data), std::string::npos) << e.what();
    }
    EXPECT_EQ(db2->Conta(), 0);
    EXPECT_FALSE(db2->Db().InTransazione());
}

TEST(Aggiornamento, AnniSecolariERigheSenzaSpaziFinali) {
    RigaEstrazione r{"29/02/2000", {}};
    r.Celle.fill("01-02-03-04-05");
    r.Celle[10] = "----";
    // An editor that strips trailing blanks leaves 165 characters: the same fields.
    const auto righe = RigheDaTesto(ScriviLineaArchivioTesto(r).substr(0, 165) + "\r\n");
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0], (RigaAggiornamento{r.Data, r.Celle}));
    EXPECT_EQ(DifettoRiga(righe[0]), "");
    // 1900 and 2100 are no leap years: such a row is never written.
    for (const char* data : {"29/02/1900", "29/02/2100"})
        EXPECT_NE(DifettoRiga({data, r.Celle}).find("data non valida"), std::string::npos) << data;
}
