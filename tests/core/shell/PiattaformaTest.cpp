// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds of file the program tells apart and the lock that keeps two writers of one file apart.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

#include "Supporto.h"
#include "core/shell/Piattaforma.h"

using namespace trivalto;
using namespace trivalto::test;

// FIFOs, symbolic links and flock are POSIX matters; the Windows branch builds but is not run here.
#ifndef _WIN32
#include <sys/stat.h>

TEST(Piattaforma, TipiDiFile) {
    CartellaTemporanea c;
    std::ofstream(c / "file") << "x";
    std::filesystem::create_directory(c / "cartella");
    ASSERT_EQ(mkfifo((c / "fifo").c_str(), 0600), 0);
    std::filesystem::create_symlink(c / "file", c / "collegamento");
    std::filesystem::create_symlink(c / "manca", c / "rotto");
    EXPECT_EQ(TipoDi(c / "file"), TipoFile::Regolare);
    EXPECT_EQ(TipoDi(c / "cartella"), TipoFile::Cartella);
    EXPECT_EQ(TipoDi(c / "fifo"), TipoFile::Fifo);
    EXPECT_EQ(TipoDi("/dev/null"), TipoFile::Dispositivo);
    // A link is a link, whatever it leads to.
    EXPECT_EQ(TipoDi(c / "collegamento"), TipoFile::Collegamento);
    EXPECT_EQ(TipoDi(c / "rotto"), TipoFile::Collegamento);
    EXPECT_EQ(TipoDi(c / "manca"), TipoFile::Assente);
    EXPECT_TRUE(FileRegolare(c / "file"));
    EXPECT_FALSE(FileRegolare(c / "collegamento"));
    EXPECT_STREQ(DescriviTipo(TipoFile::Fifo), "una FIFO");
}

TEST(Piattaforma, BloccoEsclusivo) {
    CartellaTemporanea c;
    const auto percorso = c / "a.mdb.blocco";
    {
        BloccoEsclusivo primo(percorso);
        ASSERT_TRUE(primo.Preso());
        BloccoEsclusivo secondo(percorso);
        EXPECT_EQ(secondo.Stato(), BloccoEsclusivo::Esito::Occupato);
        EXPECT_TRUE(std::filesystem::exists(percorso)); // the refused one removed nothing
    }
    // Released: nothing left behind, and it can be taken again.
    EXPECT_FALSE(std::filesystem::exists(percorso));
    {
        BloccoEsclusivo ancora(percorso);
        EXPECT_TRUE(ancora.Preso());
    }
    // The file a killed holder left is no obstacle.
    std::ofstream(percorso) << "";
    {
        BloccoEsclusivo dopo(percorso);
        EXPECT_TRUE(dopo.Preso());
    }
    EXPECT_FALSE(std::filesystem::exists(percorso));
    // A lock file that cannot be made is neither taken nor held by another.
    BloccoEsclusivo senza(c / "manca/a.mdb.blocco");
    EXPECT_EQ(senza.Stato(), BloccoEsclusivo::Esito::NonDisponibile);
    // A link planted at the lock's name is not followed to its target.
    std::ofstream(c / "altro") << "dati";
    std::filesystem::create_symlink(c / "altro", percorso);
    BloccoEsclusivo trappola(percorso);
    EXPECT_FALSE(trappola.Preso());
    EXPECT_EQ(Leggi(c / "altro"), "dati");
}
#endif

namespace {

int GiorniTra(const Data& da, const Data& a) {
    using namespace std::chrono;
    const auto giorno = [](const Data& d) {
        return sys_days(year(d.anno) / month(static_cast<unsigned>(d.mese)) /
                        day(static_cast<unsigned>(d.giorno)));
    };
    return static_cast<int>((giorno(a) - giorno(da)).count());
}

} // namespace

// "Today" is the local calendar date, a real one, and days ahead count on the calendar.
TEST(Piattaforma, OggiNelFusoLocale) {
    const Data oggi = Oggi();
    EXPECT_TRUE(DataValida(oggi));
    EXPECT_GE(oggi.anno, 2024);
    const auto adesso = Adesso();
    EXPECT_LE(GiorniTra(oggi, adesso.data), 1); // 1 only across midnight
    EXPECT_TRUE(adesso.ore >= 0 && adesso.ore < 24 && adesso.minuti < 60 && adesso.secondi < 61);
    const int settimana = GiorniTra(oggi, Oggi(7));
    EXPECT_TRUE(settimana == 7 || settimana == 8) << settimana; // 8 across midnight or a clock change
#ifndef _WIN32
    // At any instant the date east of the date line is one or two days after the date west of it.
    const char* prima = std::getenv("TZ");
    const std::string salvato = prima ? prima : "";
    setenv("TZ", "<+14>-14", 1);
    tzset();
    const Data est = Oggi();
    setenv("TZ", "<-12>12", 1);
    tzset();
    const Data ovest = Oggi();
    if (prima)
        setenv("TZ", salvato.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
    const int scarto = GiorniTra(ovest, est);
    EXPECT_TRUE(scarto == 1 || scarto == 2) << scarto;
#endif
}
