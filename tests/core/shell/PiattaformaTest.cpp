// SPDX-License-Identifier: GPL-3.0-or-later
// The kinds of file the program tells apart and the lock that keeps two writers of one file apart.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

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
