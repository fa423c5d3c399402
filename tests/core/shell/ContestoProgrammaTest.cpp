#include <gtest/gtest.h>

#include <fstream>

#include "Supporto.h"
#include "core/shell/ContestoProgramma.h"

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
    EXPECT_EQ(ctx.PercorsoArchivio, "/dati/archivio.mdb");
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
    EXPECT_EQ(Leggi(c / "PercorsoDatabase.txt"), "\"/nuovo/Lotto.mdb\"\r\n");
    EXPECT_EQ(ctx.PercorsoArchivio, "/nuovo/Lotto.mdb");
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
