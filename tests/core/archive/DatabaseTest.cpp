// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <optional>

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

TEST(DatabaseProgramma, IndirizzoUfficialeDatoAUnVecchioFileVuotoMaNonAQuelloScelto) {
    CartellaTemporanea c;
    const std::string ufficiale = DatabaseProgramma::IndirizzoAggiornamentoUfficiale;
    EXPECT_EQ(DatabaseProgramma::Crea(c / "nuovo.mdb", "")->LeggiParametro("IndirizzoAggiornamento"),
              ufficiale);
    // A file written by the previous version: the address row is empty, or holds the user's own.
    for (const char* valore : {"", "http://127.0.0.1/mio.txt"}) {
        {
            auto db = DatabaseProgramma::Crea(c / "vecchio.mdb", "");
            db->ScriviParametro("IndirizzoAggiornamento", valore);
            db->Db().ImpostaVersioneSchema(2);
        }
        {
            auto db = DatabaseProgramma::Apri(c / "vecchio.mdb");
            EXPECT_EQ(db->LeggiParametro("IndirizzoAggiornamento"), *valore ? valore : ufficiale);
            EXPECT_EQ(db->Db().VersioneSchema(), 3);
        }
        // Closed first: Windows removes no open file.
        std::filesystem::remove(c / "vecchio.mdb");
    }
}

// Files already on users' disks name their rows with these texts; the program reaches every one of
// them through its named keys, and writes no row under a new name.
TEST(DatabaseProgramma, ChiaviDeiParametriSonoINomiGiaScritti) {
    CartellaTemporanea c;
    const auto nomeEsatto = [](DatabaseProgramma& db, const std::string& nome) {
        auto st =
            db.Db().Prepara("SELECT Valore1 FROM ParametriProgramma WHERE Parametro = ? COLLATE BINARY");
        st.Bind(1, nome);
        return st.Step() ? std::optional<std::string>(st.Testo(0)) : std::nullopt;
    };
    {
        auto db = DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "/a.mdb");
        std::vector<std::string> nomi;
        for (const auto& r : db->ElencoParametri())
            nomi.push_back(r.Parametro);
        EXPECT_EQ(nomi,
                  (std::vector<std::string>{"EstrazioneIniziale", "IndirizzoAggiornamento",
                                            "IndirizzoInternet", "PercorsoArchivio", "PercorsoDati.iii"}));
        const std::pair<const char*, const char*> chiavi[] = {
            {ChiaviParametri::PercorsoArchivio, "PercorsoArchivio"},
            {ChiaviParametri::PercorsoArchivioScelto, "PercorsoArchivio"},
            {ChiaviParametri::EstrazioneIniziale, "EstrazioneIniziale"},
            {ChiaviParametri::IndirizzoInternet, "IndirizzoInternet"},
            {ChiaviParametri::IndirizzoInternetPredefinito, "IndirizzoInternet"},
            {ChiaviParametri::IndirizzoAggiornamento, "IndirizzoAggiornamento"},
            {ChiaviParametri::PercorsoDatiIii, "PercorsoDati.iii"}};
        int n = 0;
        for (const auto& [chiave, scritto] : chiavi) {
            // Appended rather than concatenated: GCC 12 at -O3 warns falsely on "v" + std::to_string(n).
            std::string valore = "v";
            valore += std::to_string(++n);
            EXPECT_TRUE(db->ScriviParametro(chiave, valore)) << chiave;
            EXPECT_EQ(nomeEsatto(*db, scritto), valore) << chiave;
        }
        EXPECT_EQ(db->ElencoParametri().size(), 5u);
        // The start-up option's row is added under its own name the first time it is set.
        db->ImpostaParametro(ChiaviParametri::ControllaAggiornamenti, "1");
        EXPECT_EQ(nomeEsatto(*db, "ControllaAggiornamenti"), "1");
    }
    // A first-version file: the migration adds the address row under the name the readers use.
    {
        Database v1(c / "v1.mdb", PasswordDatabase(), Database::Modo::Crea);
        v1.Esegui("CREATE TABLE ParametriProgramma (Parametro TEXT PRIMARY KEY COLLATE NOCASE, Valore1 TEXT, "
                  "Valore2 TEXT)");
        v1.Esegui(
            "CREATE TABLE Impostazioni (Chiave TEXT PRIMARY KEY COLLATE NOCASE, Numcasi INTEGER, "
            "Somma INTEGER, Distanza INTEGER, Differenza INTEGER, Posizioni TEXT, RuotaOrigine INTEGER, "
            "Trasformazione INTEGER, Fisso INTEGER, Dacolpo INTEGER, Colpi INTEGER, Elenco TEXT, "
            "RuoteGioco TEXT)");
        v1.Esegui("CREATE TABLE Salvataggi (Id INTEGER PRIMARY KEY, Nome TEXT, Contenuto TEXT)");
        v1.Esegui("CREATE TABLE Giocate (Id INTEGER PRIMARY KEY, Data TEXT, Descrizione TEXT)");
        v1.ImpostaVersioneSchema(1);
    }
    auto db = DatabaseProgramma::Apri(c / "v1.mdb");
    EXPECT_EQ(nomeEsatto(*db, "IndirizzoAggiornamento"), DatabaseProgramma::IndirizzoAggiornamentoUfficiale);
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
    // The library's English texts are not shown: the common causes are told in Italian.
    const auto causa = [](const auto& apri) {
        try {
            apri();
        } catch (const ErroreDatabase& e) {
            return std::string(e.what());
        }
        return std::string("aperto");
    };
    const std::string estraneo = "il file non è un database di questo programma, oppure ha un'altra password";
    EXPECT_EQ(causa([&] { Database(c / "DbTrivalto.mdb", "password sbagliata", Database::Modo::Apri); }),
              estraneo);
    {
        std::ofstream out(c / "testo.mdb");
        out << "questo non è un database";
    }
    EXPECT_EQ(causa([&] { DatabaseProgramma::Apri(c / "testo.mdb"); }), estraneo);
    EXPECT_EQ(causa([&] {
                  DatabaseArchivio::ApriOCrea((c.Percorso() / "manca" / "a.mdb").string());
              }).rfind("impossibile aprire o creare", 0),
              0u);
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

namespace {
/// The values of column x of table t, ascending, as another connection sees them (what was committed).
std::string Confermati(const std::string& file) {
    Database altra(file, PasswordDatabase(), Database::Modo::Apri);
    auto st = altra.Prepara("SELECT ifnull(group_concat(x), '') FROM (SELECT x FROM t ORDER BY x)");
    return st.Step() ? st.Testo(0) : "?";
}
} // namespace

TEST(Database, TransazioneFallitaELaSuccessivaSullaStessaConnessione) {
    CartellaTemporanea c;
    const auto file = c / "t.mdb";
    Database db(file, PasswordDatabase(), Database::Modo::Crea);
    db.Esegui("CREATE TABLE t (x INTEGER UNIQUE)");
    db.Esegui("INSERT INTO t VALUES (0)");

    // A write fails inside the transaction and the failure leaves its scope, as in an import: the
    // rows written before it are rolled back and the connection is out of the transaction.
    const auto scrivi = [&](std::initializer_list<int> valori) {
        Transaction tr(db);
        for (int x : valori) {
            auto st = db.Prepara("INSERT INTO t VALUES (?)");
            st.Bind(1, int64_t{x});
            st.Esegui();
        }
        tr.Conferma();
    };
    EXPECT_THROW(scrivi({1, 2, 0}), ErroreDatabase);
    EXPECT_FALSE(db.InTransazione());
    EXPECT_EQ(Confermati(file), "0");

    // The next transaction on the same connection is a real one: it commits, and a transaction
    // opened inside it belongs to it.
    {
        Transaction tr(db);
        scrivi({3});
        EXPECT_TRUE(db.InTransazione());
        EXPECT_EQ(Confermati(file), "0"); // not yet committed
        scrivi({4});
        tr.Conferma();
    }
    EXPECT_FALSE(db.InTransazione());
    EXPECT_EQ(Confermati(file), "0,3,4");

    // A commit that fails (a deferred constraint checked only at COMMIT) throws, and rolls back too.
    db.Esegui("PRAGMA foreign_keys = ON");
    db.Esegui("CREATE TABLE figli (p INTEGER REFERENCES t(x) DEFERRABLE INITIALLY DEFERRED)");
    {
        Transaction tr(db);
        db.Esegui("INSERT INTO t VALUES (5)");
        db.Esegui("INSERT INTO figli VALUES (99)");
        EXPECT_THROW(tr.Conferma(), ErroreDatabase);
    }
    EXPECT_FALSE(db.InTransazione());
    EXPECT_EQ(Confermati(file), "0,3,4");
    scrivi({6});
    EXPECT_EQ(Confermati(file), "0,3,4,6");
}

TEST(DatabaseArchivio, InserimentoFallitoInUnaTransazioneEAnniSecolari) {
    CartellaTemporanea c;
    const auto file = c / "a.mdb";
    auto db = DatabaseArchivio::ApriOCrea(file);
    RigaEstrazione bisestile{"29/02/2000", {}};
    bisestile.Celle.fill("01-02-03-04-05");
    RigaEstrazione altra = bisestile;
    altra.Data = "01/03/2000";
    // The second draw of the transaction has the date of the first: nothing of it is stored.
    {
        Transaction tr(db->Db());
        db->Inserisci(bisestile, "2026-01-01", "10:00:00");
        db->Inserisci(altra, "2026-01-01", "10:00:00");
        EXPECT_THROW(db->Inserisci(bisestile, "2026-01-01", "10:00:00"), ErroreDataPresente);
    }
    EXPECT_EQ(db->Conta(), 0);
    // The connection goes on: a new transaction commits, and so does a correction (its own one).
    {
        Transaction tr(db->Db());
        db->Inserisci(bisestile, "2026-01-01", "10:00:00");
        tr.Conferma();
    }
    altra.Data = "29/02/2000";
    altra.Celle[0] = "90-89-88-87-86";
    EXPECT_TRUE(db->Modifica(altra, "2026-01-02", "10:00:00"));
    db.reset();
    db = DatabaseArchivio::Apri(file);
    EXPECT_EQ(db->LeggiTutte(), (std::vector<RigaEstrazione>{altra}));

    // 1900 and 2100 had no 29 February: refused on every way in, and never stored.
    RigaEstrazione secolare = bisestile;
    for (const char* data : {"29/02/1900", "29/02/2100"}) {
        secolare.Data = data;
        EXPECT_THROW(db->Inserisci(secolare, "2026-01-01", "10:00:00"), ErroreDatabase) << data;
        try {
            EXPECT_FALSE(db->Modifica(secolare, "2026-01-01", "10:00:00")) << data;
        } catch (const ErroreDatabase&) {
        }
        EXPECT_FALSE(db->Trova(data).has_value()) << data;
        EXPECT_FALSE(db->Elimina(data)) << data;
    }
    EXPECT_EQ(db->Conta(), 1);
    auto q = db->Db().Prepara("SELECT A, M, G FROM Query_AAMMGG");
    ASSERT_TRUE(q.Step());
    EXPECT_EQ(q.Intero(0), 2000);
    EXPECT_EQ(q.Intero(1), 2);
    EXPECT_EQ(q.Intero(2), 29);
    // A stored key that is no real day (written by another program) stops the load, never read as another.
    // So does a key with text after the date, or another separator: each would be a second row of one day.
    for (const char* chiave : {"1900-02-29", "2000-03-01 ", "2000-03-01x", "2000/03/01"}) {
        Transaction tr(db->Db());
        db->Db().Prepara("INSERT INTO EstrazioniLotto (DataEstrazione) VALUES (?)").Bind(1, chiave).Esegui();
        EXPECT_THROW(db->LeggiTutte(), ErroreArchivio) << chiave;
    }
    EXPECT_EQ(db->LeggiTutte().size(), 1u);
}

namespace {
std::vector<std::string> CopieAccanto(const std::string& file) {
    std::vector<std::string> copie;
    const auto p = std::filesystem::path(file);
    for (const auto& e : std::filesystem::directory_iterator(p.parent_path()))
        if (e.path().filename().string().rfind(p.filename().string() + ".versione", 0) == 0)
            copie.push_back(e.path().filename().string());
    std::sort(copie.begin(), copie.end());
    return copie;
}

/// A program database as the first version of the program wrote it.
void DbProgrammaVersione1(const std::string& file) {
    Database db(file, PasswordDatabase(), Database::Modo::Crea);
    db.Esegui("CREATE TABLE ParametriProgramma (Parametro TEXT PRIMARY KEY COLLATE NOCASE, Valore1 TEXT, "
              "Valore2 TEXT)");
    db.Esegui(
        "CREATE TABLE Impostazioni (Chiave TEXT PRIMARY KEY COLLATE NOCASE, Numcasi INTEGER, Somma "
        "INTEGER, Distanza INTEGER, Differenza INTEGER, Posizioni TEXT, RuotaOrigine INTEGER, "
        "Trasformazione INTEGER, Fisso INTEGER, Dacolpo INTEGER, Colpi INTEGER, Elenco TEXT, RuoteGioco "
        "TEXT)");
    db.Esegui("CREATE TABLE Salvataggi (Id INTEGER PRIMARY KEY, Nome TEXT, Contenuto TEXT)");
    db.Esegui("CREATE TABLE Giocate (Id INTEGER PRIMARY KEY, Data TEXT, Descrizione TEXT)");
    db.Esegui("INSERT INTO ParametriProgramma VALUES ('PercorsoArchivio', '/archivi/mio.mdb', '')");
    db.Esegui("INSERT INTO Impostazioni (Chiave, Numcasi, Posizioni) VALUES ('Standard', 17, '10101')");
    db.ImpostaVersioneSchema(1);
}
} // namespace

// Opening an older file migrates it in one transaction after copying it beside itself; a file at
// the current version is left alone, byte for byte; a step that fails leaves the file as it was.
TEST(Migrazione, CopiaAccantoUnaTransazioneEFileCorrenteIntatto) {
    CartellaTemporanea c;
    const auto file = c / "DbTrivalto.mdb";
    DbProgrammaVersione1(file);
    const std::string originale = Leggi(file);
    {
        auto db = DatabaseProgramma::Apri(file);
        EXPECT_EQ(db->Db().VersioneSchema(), DatabaseProgramma::VersioneCorrente);
        EXPECT_EQ(db->LeggiParametro("PercorsoArchivio"), "/archivi/mio.mdb"); // the user's rows stay
        EXPECT_EQ(db->LeggiParametro("IndirizzoAggiornamento"),
                  std::string(DatabaseProgramma::IndirizzoAggiornamentoUfficiale));
        auto st = db->Db().Prepara("SELECT Numcasi, Posizioni, UsaAllApertura FROM Impostazioni");
        ASSERT_TRUE(st.Step());
        EXPECT_EQ(st.Intero(0), 17);
        EXPECT_EQ(st.Testo(1), "10101");
        EXPECT_EQ(st.Intero(2), 0);
    }
    ASSERT_EQ(CopieAccanto(file), std::vector<std::string>{"DbTrivalto.mdb.versione1.bak"});
    EXPECT_EQ(Leggi(c / "DbTrivalto.mdb.versione1.bak"), originale);

    // The current version: opened and closed again, nothing changes and no copy is made.
    const std::string corrente = Leggi(file);
    DatabaseProgramma::Apri(file);
    EXPECT_EQ(Leggi(file), corrente);
    EXPECT_EQ(CopieAccanto(file).size(), 1u);

    // The next migration from today's schema: a step that fails after writing leaves the file at
    // its version with its rows; the copy is made under a new name, the earlier one is kept.
    {
        Database db(file, PasswordDatabase(), Database::Modo::Apri);
        const int oggi = DatabaseProgramma::VersioneCorrente;
        EXPECT_THROW(MigraSchema(db, oggi + 1,
                                 [&](int da) {
                                     EXPECT_EQ(da, oggi);
                                     db.Esegui("DELETE FROM ParametriProgramma");
                                     db.Esegui("ALTER TABLE Giocate ADD COLUMN Nota TEXT");
                                     db.Esegui("INSERT INTO Manca VALUES (1)");
                                 }),
                     ErroreDatabase);
        EXPECT_FALSE(db.InTransazione());
        EXPECT_EQ(db.VersioneSchema(), oggi);
        auto righe = db.Prepara("SELECT count(*) FROM ParametriProgramma");
        ASSERT_TRUE(righe.Step());
        EXPECT_EQ(righe.Intero(0), 2); // the rows the failed step deleted are there
        righe.Reset();
        const auto copia =
            MigraSchema(db, oggi + 1, [&](int) { db.Esegui("ALTER TABLE Giocate ADD COLUMN Nota TEXT"); });
        EXPECT_EQ(copia, c / "DbTrivalto.mdb.versione3-2.bak");
        EXPECT_EQ(db.VersioneSchema(), oggi + 1);
    }
    EXPECT_EQ(CopieAccanto(file),
              (std::vector<std::string>{"DbTrivalto.mdb.versione1.bak", "DbTrivalto.mdb.versione3-2.bak",
                                        "DbTrivalto.mdb.versione3.bak"}));
    EXPECT_EQ(Leggi(c / "DbTrivalto.mdb.versione3.bak"), corrente);
    Database copia(c / "DbTrivalto.mdb.versione3.bak", PasswordDatabase(), Database::Modo::Apri);
    EXPECT_EQ(copia.VersioneSchema(), DatabaseProgramma::VersioneCorrente);

    // An archive written without a version number and without its view gets both, and a copy.
    const auto archivio = c / "Vecchio.mdb";
    {
        Database db(archivio, PasswordDatabase(), Database::Modo::Crea);
        db.Esegui(
            "CREATE TABLE EstrazioniLotto (DataEstrazione TEXT NOT NULL PRIMARY KEY, Ba TEXT, Ca TEXT, Fi "
            "TEXT, Ge TEXT, Mi TEXT, Na TEXT, Pa TEXT, Ro TEXT, \"To\" TEXT, Ve TEXT, Nz TEXT, datareg TEXT, "
            "orareg TEXT)");
        db.Esegui("INSERT INTO EstrazioniLotto (DataEstrazione, Ba) VALUES ('1939-01-07', '01-02-03-04-05')");
    }
    auto a = DatabaseArchivio::Apri(archivio);
    EXPECT_EQ(a->Db().VersioneSchema(), DatabaseArchivio::VersioneCorrente);
    EXPECT_TRUE(a->Db().EsisteTabella("Query_AAMMGG"));
    EXPECT_EQ(a->LeggiTutte().at(0).Celle[0], "01-02-03-04-05");
    EXPECT_EQ(CopieAccanto(archivio), std::vector<std::string>{"Vecchio.mdb.versione0.bak"});
}

// A file from a newer program is refused with a message that says so, and is not touched, by
// every way of opening it.
TEST(Migrazione, VersionePiuRecenteRifiutataEFileIntatto) {
    CartellaTemporanea c;
    const auto programma = c / "DbTrivalto.mdb";
    const auto archivio = c / "ArchivioLotto.mdb";
    DatabaseProgramma::Crea(programma, archivio)
        ->Db()
        .ImpostaVersioneSchema(DatabaseProgramma::VersioneCorrente + 1);
    DatabaseArchivio::ApriOCrea(archivio)->Db().ImpostaVersioneSchema(DatabaseArchivio::VersioneCorrente + 1);
    const std::string prima[] = {Leggi(programma), Leggi(archivio)};
    const auto rifiutato = [](const auto& apri, const std::string& file) {
        try {
            apri();
        } catch (const ErroreVersioneSchema& e) {
            const std::string testo = e.what();
            EXPECT_NE(testo.find(file), std::string::npos) << testo;
            EXPECT_NE(testo.find("versione più recente di Trivalto"), std::string::npos) << testo;
            EXPECT_NE(testo.find("Il file non è stato modificato"), std::string::npos) << testo;
            return;
        }
        ADD_FAILURE() << "aperto: " << file;
    };
    rifiutato([&] { DatabaseProgramma::Apri(programma); }, programma);
    rifiutato([&] { DatabaseProgramma::Crea(programma, ""); }, programma);
    rifiutato([&] { DatabaseArchivio::Apri(archivio); }, archivio);
    rifiutato([&] { DatabaseArchivio::ApriOCrea(archivio); }, archivio);
    EXPECT_EQ(Leggi(programma), prima[0]);
    EXPECT_EQ(Leggi(archivio), prima[1]);
    EXPECT_TRUE(CopieAccanto(programma).empty());
    EXPECT_TRUE(CopieAccanto(archivio).empty());
}
