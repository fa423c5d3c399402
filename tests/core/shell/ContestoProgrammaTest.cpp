// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <fstream>

#include "Supporto.h"
#include "core/shell/CartelleProgramma.h"
#include "core/shell/ContestoProgramma.h"
#include "core/shell/Piattaforma.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(ContestoProgramma, ParametriAllAvvio) {
    CartellaTemporanea c;
    {
        auto db = DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "/dati/archivio.mdb");
        db->ScriviParametro("EstrazioneIniziale", "101abc"); // lenient: the leading digits
        // Only an exact "IndirizzoInternet" row gives the address.
        db->Db().Esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'IndirizzoInternet'");
        db->Db().Esegui("INSERT INTO ParametriProgramma VALUES ('INDIRIZZOINTERNET', 'http://altro', '')");
    }
    ContestoProgramma ctx(c.Percorso().string());
    ctx.ApriDbProgramma();
    ctx.LeggiParametri();
    EXPECT_EQ(ctx.PercorsoArchivio, PercorsoDiSistema("/dati/archivio.mdb")); // "\\dati\\..." on Windows
    EXPECT_EQ(ctx.EstrazioneIniziale, 101);
    EXPECT_EQ(ctx.IndirizzoInternet, "");
    EXPECT_FALSE(ctx.ApriArchivio()); // no such file: the first-use path
}

TEST(ContestoProgramma, DatabaseDelProgrammaMancanteVieneCreato) {
    CartellaTemporanea c;
    ContestoProgramma ctx(c.Percorso().string());
    ctx.ApriDbProgramma();
    ctx.LeggiParametri();
    EXPECT_EQ(ctx.PercorsoArchivio, "");
    EXPECT_EQ(ctx.IndirizzoInternet, "http://www.trivalto.it");
    EXPECT_TRUE(std::filesystem::exists(c / "DbTrivalto.mdb"));
    // An existing file that is not a program database is never overwritten.
    CartellaTemporanea d;
    { std::ofstream(d / "DbTrivalto.mdb") << "non un database"; }
    ContestoProgramma rotto(d.Percorso().string());
    EXPECT_THROW(rotto.ApriDbProgramma(), ErroreDatabase);
    EXPECT_EQ(Leggi(d / "DbTrivalto.mdb"), "non un database");
}

TEST(ContestoProgramma, SceltaDellArchivioSenzaRigaDelParametro) {
    CartellaTemporanea c;
    {
        auto db = DatabaseProgramma::Crea(c / "DbTrivalto.mdb", "/vecchio.mdb");
        db->Db().Esegui("DELETE FROM ParametriProgramma WHERE Parametro = 'PercorsoArchivio'");
    }
    ContestoProgramma ctx(c.Percorso().string());
    ctx.ApriDbProgramma();
    ctx.RegistraArchivioScelto("/nuovo/Lotto.mdb");
    // The file is written and the running program uses the new path; no row is created.
    // Both in the system's form.
    const auto atteso = PercorsoDiSistema("/nuovo/Lotto.mdb");
    EXPECT_EQ(Leggi(c / "PercorsoDatabase.txt"), "\"" + atteso + "\"\r\n");
    EXPECT_EQ(ctx.PercorsoArchivio, atteso);
    EXPECT_FALSE(ctx.DbProgramma->LeggiParametro("PercorsoArchivio").has_value());
}

TEST(ContestoProgramma, CaricamentoInizialeDalFileScelto) {
    CartellaTemporanea c;
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    for (const auto& r : RigheCasuali(30, 7))
        db->Inserisci(r, "2026-12-08", "10:00:00");
    ContestoProgramma ctx(c.Percorso().string());
    ctx.ApriDbProgramma();
    ctx.LeggiParametri();
    ctx.RegistraArchivioScelto(c / "a.mdb");
    ctx.EstrazioneIniziale = 11;
    std::vector<int> progressi;
    ctx.CaricamentoIniziale([&](int v, int) { progressi.push_back(v); });
    EXPECT_EQ(ctx.Archivio().NumeroEstrazioni, 30);
    EXPECT_EQ(ctx.Archivio().IndiciModello[1], 11);
    EXPECT_EQ(progressi.size(), 30u);
    EXPECT_EQ(progressi.back(), 30);
}

// A job keeps the archive it was given while a reload publishes a new one; a reload that fails
// leaves the published archive as it was.
TEST(ContestoProgramma, RicaricaPubblicaUnArchivioNuovoSenzaToccareLeIstantanee) {
    CartellaTemporanea c;
    auto db = DatabaseArchivio::ApriOCrea(c / "a.mdb");
    const auto righe = RigheCasuali(40, 3);
    for (size_t i = 0; i < 30; ++i)
        db->Inserisci(righe[i], "2026-12-08", "10:00:00");
    ContestoProgramma ctx(c.Percorso().string());
    ctx.ApriDbProgramma();
    ctx.LeggiParametri();
    ctx.RegistraArchivioScelto(c / "a.mdb");
    ctx.EstrazioneIniziale = 5;
    ctx.CaricamentoIniziale();
    const auto prima = ctx.Istantanea();
    ASSERT_EQ(prima->FineModello, 26);

    for (size_t i = 30; i < 40; ++i)
        db->Inserisci(righe[i], "2026-12-08", "10:00:00");
    ctx.CaricaArchivioExNovo();
    EXPECT_EQ(prima->NumeroEstrazioni, 30);
    EXPECT_EQ(prima->FineModello, 26);
    EXPECT_EQ(prima->DateEstrazioni.size(), 31u);
    EXPECT_EQ(ctx.Archivio().NumeroEstrazioni, 40);
    EXPECT_EQ(ctx.Archivio().IndiciModello[1], 1); // model back to the whole archive
    EXPECT_NE(ctx.Istantanea(), prima);

    const auto ricaricato = ctx.Istantanea();
    ctx.PercorsoArchivio = c / "manca.mdb";
    EXPECT_ANY_THROW(ctx.CaricaArchivioExNovo());
    EXPECT_EQ(ctx.Istantanea(), ricaricato);
}

namespace {
/// An installed tree: <radice>/bin and <radice>/share/trivalto holding a bundled archive of `estrazioni`
/// draws.
void Installa(const std::filesystem::path& radice, int estrazioni) {
    std::filesystem::create_directories(radice / "bin");
    const auto condivisa = radice / "share" / "trivalto";
    std::filesystem::create_directories(condivisa);
    // A package upgrade replaces the read-only file; Windows removes none while it is read-only.
    if (std::filesystem::exists(condivisa / "ArchivioLotto.mdb"))
        std::filesystem::permissions(condivisa / "ArchivioLotto.mdb", std::filesystem::perms::owner_write,
                                     std::filesystem::perm_options::add);
    std::filesystem::remove(condivisa / "ArchivioLotto.mdb");
    auto db = DatabaseArchivio::ApriOCrea((condivisa / "ArchivioLotto.mdb").string());
    Transaction tr(db->Db());
    for (const auto& r : RigheCasuali(estrazioni, 5))
        db->Inserisci(r, "2026-12-08", "10:00:00");
    tr.Conferma();
    // Installed files are read-only for the user.
    std::filesystem::permissions(condivisa / "ArchivioLotto.mdb", std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
}
} // namespace

// An installed copy writes only in the user's folder: the first start fills it (program database
// pointing at a copy of the bundled archive), a reinstall or upgrade that ships another archive
// leaves the user's changed one alone. A build-tree copy keeps using its own folder.
TEST(CartelleProgramma, PrimoAvvioInstallatoEReinstallazioneCheTieneLArchivio) {
    CartellaTemporanea c;
    const auto radice = c.Percorso() / "usr";
    Installa(radice, 40);
    const std::string utente = c / "casa/.local/share/Trivalto/Trivalto";
    const auto cartelle = TrovaCartelle((radice / "bin").string(), utente);
    ASSERT_TRUE(cartelle.Installato);
    EXPECT_EQ(cartelle.Programma, utente);
    EXPECT_EQ(cartelle.Condivisa, (radice / "share" / "trivalto").string());
    PreparaCartellaUtente(cartelle);

    const auto copia = (std::filesystem::path(utente) / "ArchivioLotto.mdb").make_preferred().string();
#ifdef _WIN32
    // The user's folder came with forward slashes in part; the stored path has none.
    ASSERT_GT(copia.size(), 3u);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(copia[0])) && copia[1] == ':' && copia[2] == '\\')
        << copia;
    EXPECT_EQ(copia.find('/'), std::string::npos) << copia;
#endif
    {
        ContestoProgramma ctx(cartelle.Programma);
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        EXPECT_EQ(ctx.PercorsoArchivio, copia);
        ASSERT_TRUE(ctx.ApriArchivio()); // no first-use question
        ctx.CaricamentoIniziale();
        EXPECT_EQ(ctx.Archivio().NumeroEstrazioni, 40);
        // The user adds a draw and changes a parameter.
        RigaEstrazione nuova{"01/01/2099", {}};
        nuova.Celle.fill("01-02-03-04-05");
        ctx.ConnessioneArchivio().Inserisci(nuova, "2099-01-01", "10:00:00");
        ctx.DbProgramma->ScriviParametro("EstrazioneIniziale", "7");
    }
    EXPECT_TRUE(std::filesystem::is_empty(radice / "bin"));

    Installa(radice, 45); // the new package ships a longer archive
    PreparaCartellaUtente(TrovaCartelle((radice / "bin").string(), utente));
    {
        ContestoProgramma ctx(utente);
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        EXPECT_EQ(ctx.EstrazioneIniziale, 7);
        ctx.CaricamentoIniziale();
        EXPECT_EQ(ctx.Archivio().NumeroEstrazioni, 41);
        EXPECT_EQ(ctx.Archivio().DateEstrazioni[41], "01/01/2099");
    } // closed: Windows removes no open file
    std::vector<std::string> file;
    for (const auto& e : std::filesystem::directory_iterator(utente))
        file.push_back(e.path().filename().string());
    std::sort(file.begin(), file.end());
    EXPECT_EQ(file, (std::vector<std::string>{"ArchivioLotto.mdb", "DbTrivalto.mdb"}));

    // A lost program database is made again around the user's archive, never over it.
    std::filesystem::remove(utente + "/DbTrivalto.mdb");
    PreparaCartellaUtente(cartelle);
    EXPECT_EQ(DatabaseArchivio::Apri(copia)->Conta(), 41);

    // A build folder (no shared data beside it) writes in itself, which the build filled.
    CartellaTemporanea build;
    const auto proprie = TrovaCartelle(build.Percorso().string(), utente + "-no");
    EXPECT_FALSE(proprie.Installato);
    EXPECT_EQ(proprie.Programma, build.Percorso().string());
    PreparaCartellaUtente(proprie);
    EXPECT_TRUE(std::filesystem::is_empty(build.Percorso()));
    EXPECT_FALSE(std::filesystem::exists(utente + "-no"));
}

// A portable copy unpacked with its archive and no program database starts on that archive, where it
// lies, without asking; a program database already there is left as the user made it.
TEST(CartelleProgramma, CopiaPortatileSiAvviaSullArchivioAccanto) {
    CartellaTemporanea c;
    const auto cartella = c.Percorso() / "Trivalto-portabile";
    std::filesystem::create_directories(cartella);
    {
        auto db = DatabaseArchivio::ApriOCrea((cartella / "ArchivioLotto.mdb").string());
        Transaction tr(db->Db());
        for (const auto& r : RigheCasuali(12, 3))
            db->Inserisci(r, "2026-12-08", "10:00:00");
        tr.Conferma();
    }
    const auto cartelle = TrovaCartelle(cartella.string(), c / "utente");
    ASSERT_FALSE(cartelle.Installato);
    ASSERT_EQ(cartelle.Programma, cartella.string());
    PreparaCartellaUtente(cartelle);
    {
        ContestoProgramma ctx(cartelle.Programma);
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        EXPECT_EQ(ctx.PercorsoArchivio, (cartella / "ArchivioLotto.mdb").make_preferred().string());
        ASSERT_TRUE(ctx.ApriArchivio());
        ctx.CaricamentoIniziale();
        EXPECT_EQ(ctx.Archivio().NumeroEstrazioni, 12);
        ctx.DbProgramma->ScriviParametro("PercorsoArchivio", "altrove.mdb");
    }
    std::vector<std::string> file;
    for (const auto& e : std::filesystem::directory_iterator(cartella))
        file.push_back(e.path().filename().string());
    std::sort(file.begin(), file.end());
    EXPECT_EQ(file, (std::vector<std::string>{"ArchivioLotto.mdb", "DbTrivalto.mdb"}));
    EXPECT_FALSE(std::filesystem::exists(c / "utente"));

    PreparaCartellaUtente(cartelle); // a second start
    ContestoProgramma ctx(cartelle.Programma);
    ctx.ApriDbProgramma();
    ctx.LeggiParametri();
    EXPECT_EQ(ctx.PercorsoArchivio, "altrove.mdb");
}

#ifdef _WIN32
TEST(CartelleProgramma, CartellaDellUtenteComeLaNominaQt) {
    const char* dati = std::getenv("APPDATA");
    const std::string vecchio = dati ? dati : "";
    _putenv_s("APPDATA", "C:\\Users\\prova\\AppData\\Roaming");
    EXPECT_EQ(CartellaDatiUtente(), "C:\\Users\\prova\\AppData\\Roaming\\Trivalto\\Trivalto");
    _putenv_s("APPDATA", "relativa"); // not absolute: ignored
    EXPECT_EQ(CartellaDatiUtente().rfind("relativa", 0), std::string::npos);
    EXPECT_TRUE(std::filesystem::path(CartellaDatiUtente()).is_absolute());
    _putenv_s("APPDATA", vecchio.c_str());
}
#else
TEST(CartelleProgramma, CartellaDellUtenteComeLaNominaQt) {
    const std::string casa = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* xdg = std::getenv("XDG_DATA_HOME");
    const std::string vecchio = xdg ? xdg : "";
    setenv("XDG_DATA_HOME", "/tmp/dati-prova", 1);
    EXPECT_EQ(CartellaDatiUtente(), "/tmp/dati-prova/Trivalto/Trivalto");
    setenv("XDG_DATA_HOME", "relativa", 1); // not absolute: ignored
    setenv("HOME", "/home/prova", 1);
    EXPECT_EQ(CartellaDatiUtente(), "/home/prova/.local/share/Trivalto/Trivalto");
    setenv("HOME", casa.c_str(), 1);
    if (xdg)
        setenv("XDG_DATA_HOME", vecchio.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}
#endif
