// SPDX-License-Identifier: GPL-3.0-or-later
// Paths as UTF-8 text on every system: a folder with accented letters holding the archive, its text
// files, its exports and the program database; drive letters and either separator on Windows; the
// companion program's folder made when missing.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/archive/DatabaseArchivio.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/maintenance/Esportazioni.h"
#include "core/shell/ContestoProgramma.h"
#include "core/shell/Piattaforma.h"

using namespace trivalto;
using namespace trivalto::test;
namespace fs = std::filesystem;

namespace {

struct Esito {
    int codice;
    std::string out, err;
};

Esito Esegui(const std::vector<std::string>& argomenti) {
    std::ostringstream out, err;
    const int codice = cli::Principale(argomenti, {"."}, out, err);
    return {codice, out.str(), err.str()};
}

std::string Unisci(const std::string& cartella, const std::string& nome) {
    return TestoDaPercorso(PercorsoDaTesto(cartella) / PercorsoDaTesto(nome));
}

/// The folder of a temporary one as a user would type it: forward slashes on Windows too.
std::string ConBarre(const fs::path& cartella) {
    auto testo = TestoDaPercorso(cartella);
    std::replace(testo.begin(), testo.end(), '\\', '/');
    return testo;
}

/// `quante` draws of the real text archive from the 7,000th, the Nazionale wheel's years, into `file`.
void Estrazioni(const std::string& file, int quante) {
    std::ifstream in(PercorsoDati("archivio-1939-2026.txt"), std::ios::binary);
    std::ofstream out(PercorsoDaTesto(file), std::ios::binary);
    std::string riga;
    for (int i = 0; i < 7000 + quante && std::getline(in, riga); ++i)
        if (i >= 7000) out << riga << "\n";
}

std::string LeggiUtf8(const std::string& file) {
    std::ifstream in(PercorsoDaTesto(file), std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

const std::string Accentata = "Citt\xC3\xA0 perch\xC3\xA9 l\xC3\xAC";

} // namespace

TEST(Percorsi, TestoUtf8EFormaDelSistema) {
    const std::string file = "Prove/" + Accentata + "/archivio.txt";
    EXPECT_EQ(TestoDaPercorso(PercorsoDaTesto(file)), file);
    // The library's own UTF-8 reading of the same name: the helper gives the file the system names.
    EXPECT_EQ(PercorsoDaTesto(Accentata), fs::path(u8"Citt\u00e0 perch\u00e9 l\u00ec"));
    EXPECT_EQ(PercorsoDaTesto(""), fs::path());
    EXPECT_EQ(TestoDaPercorso(fs::path()), "");
#ifdef _WIN32
    EXPECT_EQ(PercorsoDaTesto("C:\\Prove\\" + Accentata).wstring(),
              L"C:\\Prove\\Citt\u00e0 perch\u00e9 l\u00ec");
    EXPECT_EQ(PercorsoDiSistema("C:/Prove/" + Accentata + "/a.mdb"), "C:\\Prove\\" + Accentata + "\\a.mdb");
    EXPECT_EQ(PercorsoDiSistema("c:\\Prove/misto\\a.mdb"), "c:\\Prove\\misto\\a.mdb");
    EXPECT_EQ(PercorsoDaTesto("C:/Prove/a.mdb").root_name(), fs::path(L"C:"));
    // What an older program stored in the ANSI code page is read in it, not refused.
    if (GetACP() == 1252) EXPECT_EQ(PercorsoDaTesto("Citt\xE0").wstring(), L"Citt\u00e0");
#else
    // Backslashes are letters of a name on Linux: nothing changes.
    EXPECT_EQ(PercorsoDiSistema("C:\\Prove/" + Accentata), "C:\\Prove/" + Accentata);
#endif
}

TEST(Percorsi, ArchivioEsportazioniEAggiornamentoInUnaCartellaAccentata) {
    CartellaTemporanea c;
    const std::string cartella = ConBarre(c.Percorso()) + "/" + Accentata;
    ASSERT_TRUE(fs::create_directories(PercorsoDaTesto(cartella)));
    const auto testo = Unisci(cartella, "archivio.txt");
    Estrazioni(testo, 300);
    const auto archivio = cartella + "/Archivio Lotto.mdb";

    auto e = Esegui({"importa", testo, "--archivio", archivio});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(e.out, "Estrazioni aggiunte: 300, già presenti: 0, totale in archivio: 300\n");
    // Under the name the system gives the folder, not under its bytes read in another code page.
    EXPECT_TRUE(fs::is_regular_file(c.Percorso() / fs::path(u8"Citt\u00e0 perch\u00e9 l\u00ec") /
                                    "Archivio Lotto.mdb"));

    // Each export in the accented folder has the bytes of the same export in a plain one, the second
    // time over the first too (Dati.iii copies the old file before writing).
    for (const std::string formato : {"dati-iii", "quorvex", "nazionale"}) {
        const auto file = cartella + "/" + formato + "." + Accentata;
        for (int volta = 0; volta < 2; ++volta) {
            e = Esegui({"esporta", formato, file, "--archivio", archivio});
            ASSERT_EQ(e.codice, 0) << formato << ": " << e.err;
        }
        EXPECT_EQ(e.out, "Esportate 300 estrazioni in " + PercorsoDiSistema(file) + "\n");
        ASSERT_EQ(Esegui({"esporta", formato, c / formato, "--archivio", testo}).codice, 0);
        const auto attesi = Leggi(c / formato);
        EXPECT_FALSE(attesi.empty());
        EXPECT_EQ(LeggiUtf8(file), attesi) << formato;
    }

    // An update file in the same folder brings the next ten draws.
    const auto aggiornamento = Unisci(cartella, "Estr_Agg " + Accentata + ".txt");
    Estrazioni(aggiornamento, 310);
    e = Esegui({"aggiorna", "--da", aggiornamento, "--applica", "--archivio", archivio});
    ASSERT_EQ(e.codice, 0) << e.err;
    EXPECT_EQ(DatabaseArchivio::Apri(archivio)->Conta(), 310);

    // The program database in the accented folder keeps the chosen archive in the system's form.
    std::string scelto;
    {
        ContestoProgramma ctx(cartella);
        ctx.ApriDbProgramma();
        ctx.RegistraArchivioScelto(archivio);
        scelto = ctx.PercorsoArchivio;
        EXPECT_EQ(scelto, PercorsoDiSistema(archivio));
        ASSERT_TRUE(ctx.ApriArchivio()) << ctx.CausaArchivio;
        ctx.CaricamentoIniziale();
        EXPECT_EQ(ctx.Archivio().NumeroEstrazioni, 310);
    }
    EXPECT_EQ(LeggiUtf8(Unisci(cartella, "PercorsoDatabase.txt")), "\"" + scelto + "\"\r\n");
    {
        ContestoProgramma ctx(cartella);
        ctx.ApriDbProgramma();
        ctx.LeggiParametri();
        EXPECT_EQ(ctx.PercorsoArchivio, scelto);
    }
#ifdef _WIN32
    ASSERT_GT(scelto.size(), 3u);
    EXPECT_TRUE(std::isalpha(static_cast<unsigned char>(scelto[0])) && scelto[1] == ':' && scelto[2] == '\\')
        << scelto;
    EXPECT_EQ(scelto.find('/'), std::string::npos) << scelto;
#endif

    // prepara stores the archive's whole path in the system's form.
    const auto altra = cartella + "/programma " + Accentata;
    fs::create_directories(PercorsoDaTesto(altra));
    e = Esegui({"prepara", "--cartella", altra, "--testo", testo, "--archivio", altra + "/a.mdb"});
    ASSERT_EQ(e.codice, 0) << e.err;
    const auto memorizzato =
        DatabaseProgramma::Apri(Unisci(altra, "DbTrivalto.mdb"))->LeggiParametro("PercorsoArchivio");
    ASSERT_TRUE(memorizzato);
    EXPECT_EQ(*memorizzato, PercorsoDiSistema(altra + "/a.mdb"));
    EXPECT_EQ(DatabaseArchivio::Apri(*memorizzato)->Conta(), 300);
}

// The companion program reads one fixed place, so its missing folders are made and the outermost one
// named to the user; a folder that cannot be made fails without leaving any.
TEST(Percorsi, CartellaDelProgrammaCompagno) {
    CartellaTemporanea c;
    const std::string base = ConBarre(c.Percorso());
    const auto file = base + "/" + Accentata + "/QRVX3/DATI32.III";
    EXPECT_EQ(CreaCartelleDi(file), PercorsoDiSistema(base + "/" + Accentata));
    EXPECT_TRUE(fs::is_directory(PercorsoDaTesto(base + "/" + Accentata + "/QRVX3")));
    EXPECT_EQ(CreaCartelleDi(file), ""); // there now
    EsportaQuorvex(ArchivioDa(RigheCasuali(3, 7)), file);
    EXPECT_EQ(LeggiUtf8(file).size(), 3u * 114u);

    std::ofstream(PercorsoDaTesto(base + "/bloccato")) << "x";
    EXPECT_THROW(CreaCartelleDi(base + "/bloccato/QRVX3/DATI32.III"), ErroreEsportazione);
    EXPECT_FALSE(fs::exists(PercorsoDaTesto(base + "/bloccato/QRVX3")));
    EXPECT_EQ(CreaCartelleDi("DATI32.III"), ""); // the current folder
}
