// SPDX-License-Identifier: GPL-3.0-or-later
// trivalto-cli stato and --version.
#include <gtest/gtest.h>

#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/shell/InformazioniProgramma.h"
#include "core/shell/Piattaforma.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

struct Esito {
    int stato;
    std::string out, err;
};

Esito Esegui(const std::vector<std::string>& argomenti, const std::string& cartella = "/nessuna") {
    std::ostringstream out, err;
    cli::Ambiente amb;
    amb.CartellaProgramma = cartella;
    const int stato = cli::Principale(argomenti, amb, out, err);
    return {stato, out.str(), err.str()};
}

} // namespace

TEST(CliStato, ArchivioDateEStima) {
    const auto testo = PercorsoDati("archivio-1939-2026.txt");
    const auto e = Esegui({"stato", "--archivio", testo, "--oggi", "26/08/2026"});
    ASSERT_EQ(e.stato, 0) << e.err;
    // The path as the system writes it: backslashes on Windows.
    EXPECT_EQ(e.out, "## Stato\nArchivio\t" + PercorsoDiSistema(testo) +
                         "\nEstrazioni\t7370\nPrima estrazione\t07/01/1939\nUltima estrazione\t21/08/2026\n"
                         "Estrazioni mancanti (stima al 26/08/2026)\t2\n");

    // The program's own archive, found through its database, as the other commands find it.
    CartellaTemporanea c;
    ASSERT_EQ(Esegui({"prepara", "--cartella", c.Percorso().string(), "--testo", testo, "--archivio",
                      (c / "a.mdb")})
                  .stato,
              0);
    const auto proprio = Esegui({"stato", "--oggi", "21/08/2026"}, c.Percorso().string());
    ASSERT_EQ(proprio.stato, 0) << proprio.err;
    EXPECT_NE(proprio.out.find("Archivio\t" + (c / "a.mdb") + "\n"), std::string::npos);
    EXPECT_NE(proprio.out.find("\t0\n"), std::string::npos);
}

TEST(CliStato, OpzioniErrateEArchivioIlleggibile) {
    EXPECT_EQ(Esegui({"stato", "--oggi", "31/02/2026"}).stato, 2);
    EXPECT_EQ(Esegui({"stato", "--oggi"}).stato, 2);
    EXPECT_EQ(Esegui({"stato", "--altro"}).stato, 2);
    const auto e = Esegui({"stato", "--archivio", "/nessuna/a.mdb"});
    EXPECT_EQ(e.stato, 1);
    EXPECT_EQ(e.out, "");
    EXPECT_EQ(e.err.find('\n'), e.err.size() - 1); // one line
    EXPECT_EQ(Esegui({"stato"}).stato, 1);         // no program database
}

TEST(CliStato, Versione) {
    const auto e = Esegui({"--version"});
    ASSERT_EQ(e.stato, 0);
    EXPECT_EQ(e.out.substr(0, e.out.find('\n')), "trivalto-cli " + VersioneProgramma());
    for (const char* testo : {"GPL-3.0-or-later", "SQLCipher", "libcurl", "libzip"})
        EXPECT_NE(e.out.find(testo), std::string::npos) << testo;
    EXPECT_EQ(Esegui({"--version", "x"}).stato, 2);
}

// The usage asked for is an answer on standard output; given by mistake it is an error.
TEST(CliStato, UsoRichiestoEUsoPerErrore) {
    const auto nessuno = Esegui({});
    EXPECT_EQ(nessuno.stato, 2);
    EXPECT_EQ(nessuno.out, "");
    ASSERT_EQ(nessuno.err.rfind("Uso: trivalto-cli ", 0), 0u);
    for (const char* richiesta : {"--help", "-h", "/?", "help", "aiuto"}) {
        const auto e = Esegui({richiesta});
        EXPECT_EQ(e.stato, 0) << richiesta;
        EXPECT_EQ(e.out, nessuno.err) << richiesta;
        EXPECT_EQ(e.err, "") << richiesta;
    }
    EXPECT_EQ(Esegui({"--help", "analizza"}).stato, 2);
    EXPECT_EQ(Esegui({"aiutami"}).stato, 2);
}
