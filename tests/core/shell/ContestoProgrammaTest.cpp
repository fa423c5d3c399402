#include <gtest/gtest.h>

#include <fstream>

#include "Supporto.h"
#include "core/shell/ContestoProgramma.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {
std::string Leggi(const std::string& percorso) {
    std::ifstream in(percorso, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}
} // namespace

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
    EXPECT_EQ(ctx.Archivio.EstrazioneIniziale, 101);
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
    ctx.Archivio.EstrazioneIniziale = 11;
    std::vector<int> progressi;
    ctx.CaricamentoIniziale([&](int v, int) { progressi.push_back(v); });
    EXPECT_EQ(ctx.Archivio.NumeroEstrazioni, 30);
    EXPECT_EQ(ctx.Archivio.IndiciModello[1], 11);
    EXPECT_EQ(progressi.size(), 30u);
    EXPECT_EQ(progressi.back(), 30);
}
