#include <gtest/gtest.h>

#include <fstream>

#include "Supporto.h"
#include "core/archive/DatabaseArchivio.h"
#include "core/archive/DatabaseProgramma.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(DatabaseProgramma, ParametriLettiSenzaBadareAlleMaiuscole) {
    CartellaTemporanea c;
    {
        auto db = DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "/archivi/lotto.mdb");
        EXPECT_EQ(db->LeggiParametro("percorsoarchivio").value_or(""), "/archivi/lotto.mdb");
        EXPECT_TRUE(db->ScriviParametro("ESTRAZIONEINIZIALE", "101"));
        EXPECT_FALSE(db->ScriviParametro("NonEsiste", "x")); // no row is created
        EXPECT_FALSE(db->LeggiParametro("NonEsiste").has_value());
    }
    // Reopened from disk: the values persisted, and the four tables are there.
    auto db = DatabaseProgramma::Apri(c / "DbTrivalto.mdb");
    EXPECT_EQ(db->LeggiParametro("EstrazioneIniziale").value_or(""), "101");
    for (const char* t : {"ParametriProgramma", "Impostazioni", "Salvataggi", "Giocate"})
        EXPECT_TRUE(db->Db().EsisteTabella(t));
    auto st = db->Db().Prepara("SELECT Posizioni, RuoteGioco, Elenco FROM Impostazioni WHERE Chiave = ?");
    st.Bind(1, "standard");
    ASSERT_TRUE(st.Step());
    EXPECT_EQ(st.Testo(0), "11111");
    EXPECT_EQ(st.Testo(1), "10000000000");
    EXPECT_EQ(st.Testo(2), "50");
    const auto elenco = db->ElencoParametri();
    ASSERT_EQ(elenco.size(), 5u);
    EXPECT_EQ(elenco[0].Parametro, "EstrazioneIniziale"); // ordered by name
    EXPECT_EQ(elenco[1].Parametro, "IndirizzoAggiornamento");
}

TEST(DatabaseProgramma, FileCifratoPasswordErrataEFileEstraneo) {
    CartellaTemporanea c;
    DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "");
    {
        // The file is encrypted: the plain text of a parameter name never appears on disk.
        std::ifstream in(c / "DbTrivalto.mdb", std::ios::binary);
        const std::string contenuto((std::istreambuf_iterator<char>(in)), {});
        EXPECT_EQ(contenuto.find("PercorsoArchivio"), std::string::npos);
        EXPECT_EQ(contenuto.find("SQLite format"), std::string::npos);
    }
    EXPECT_THROW(Database(c / "DbTrivalto.mdb", "password sbagliata", Database::Modo::Apri), ErroreDatabase);
    {
        std::ofstream out(c / "testo.mdb");
        out << "questo non è un database";
    }
    EXPECT_THROW(DatabaseProgramma::Apri(c / "testo.mdb"), ErroreDatabase);
    EXPECT_THROW(DatabaseArchivio::Apri(c / "manca.mdb"), ErroreDatabase);
    // A database with the right password but without the program's tables.
    {
        Database altro(c / "altro.mdb", PasswordDatabase(), Database::Modo::Crea);
        altro.Esegui("CREATE TABLE x (y)");
    }
    EXPECT_THROW(DatabaseProgramma::Apri(c / "altro.mdb"), ErroreDatabase);
    EXPECT_THROW(DatabaseArchivio::Apri(c / "altro.mdb"), ErroreDatabase);
}

TEST(DatabaseArchivio, DataUnicaEViewAnnoMeseGiorno) {
    CartellaTemporanea c;
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    RigaEstrazione r{"05/03/2026", {}};
    r.Celle.fill("01-02-03-04-05");
    r.Celle[10] = "----";
    db->Inserisci(r, "2026-03-05", "21:00:00");
    RigaEstrazione stessaData = r;
    stessaData.Celle[0] = "90-89-88-87-86";
    EXPECT_THROW(db->Inserisci(stessaData, "2026-03-05", "21:00:00"), ErroreDatabase);
    RigaEstrazione prima{"28/02/2026", {}};
    prima.Celle.fill("----");
    db->Inserisci(prima, "2026-03-05", "21:00:00");

    const auto tutte = db->LeggiTutte();
    ASSERT_EQ(tutte.size(), 2u);
    EXPECT_EQ(tutte[0].Data, "28/02/2026"); // oldest first
    EXPECT_EQ(tutte[1], r);
    EXPECT_EQ(db->Trova("05/03/2026").value(), r);
    EXPECT_FALSE(db->Trova("06/03/2026").has_value());

    auto q = db->Db().Prepara("SELECT A, M, G FROM Query_AAMMGG ORDER BY DataEstrazione DESC");
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.Intero(0), 2026);
    EXPECT_EQ(q.Intero(1), 3);
    EXPECT_EQ(q.Intero(2), 5);
}

TEST(DatabaseArchivio, ModificaEdEliminaPerData) {
    CartellaTemporanea c;
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    const auto righe = RigheCasuali(3, 21);
    for (const auto& r : righe)
        db->Inserisci(r, "2026-12-08", "10:00:00");
    EXPECT_THROW(db->Inserisci(righe[1], "2026-12-08", "10:00:00"), ErroreDataPresente);

    auto nuova = righe[1];
    nuova.Celle[3] = "01-02-03-04-05";
    EXPECT_TRUE(db->Modifica(nuova, "2026-12-09", "11:00:00"));
    EXPECT_EQ(db->Trova(righe[1].Data), nuova);
    EXPECT_EQ(db->LeggiTutte()[1], nuova); // same date, same place
    auto assente = nuova;
    assente.Data = "01/01/1990";
    EXPECT_FALSE(db->Modifica(assente, "2026-12-09", "11:00:00"));
    EXPECT_EQ(db->Conta(), 3);

    EXPECT_TRUE(db->Elimina(righe[0].Data));
    EXPECT_FALSE(db->Elimina(righe[0].Data));
    EXPECT_FALSE(db->Elimina("non è una data"));
    const auto rimaste = db->LeggiTutte();
    ASSERT_EQ(rimaste.size(), 2u);
    EXPECT_EQ(rimaste[0], nuova);
    EXPECT_EQ(rimaste[1], righe[2]);
}
