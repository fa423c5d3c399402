// SPDX-License-Identifier: GPL-3.0-or-later
// The three exports on a small archive worked out by hand, the safety of the written files, and
// the command-line export writing the same bytes.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "Supporto.h"
#include "cli/Comandi.h"
#include "core/maintenance/Esportazioni.h"
#include "core/shell/Piattaforma.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// 05/01/1999: Bari 01..05, Cagliari empty, the other classic wheels 11..15 … and no Nazionale;
/// 07/01/2005: the same wheels, Nazionale 10-20-30-40-50.
std::vector<RigaEstrazione> DueEstrazioni() {
    RigaEstrazione a{"05/01/1999", {}}, b{"07/01/2005", {}};
    a.Celle[0] = b.Celle[0] = "01-02-03-04-05";
    a.Celle[1] = b.Celle[1] = "----";
    for (int w = 2; w < 10; ++w)
        a.Celle[static_cast<size_t>(w)] = b.Celle[static_cast<size_t>(w)] = "11-12-13-14-15";
    a.Celle[10] = "----";
    b.Celle[10] = "10-20-30-40-50";
    return {a, b};
}

const std::string Ruote = "0102030405"
                          "0000000000" +
                          std::string() + [] {
                              std::string s;
                              for (int w = 2; w < 10; ++w)
                                  s += "1112131415";
                              return s;
                          }();

} // namespace

TEST(Esportazioni, FormatiLavoratiAMano) {
    const auto a = ArchivioDa(DueEstrazioni());
    const auto r1 = RecordDellEstrazione(a, 1);
    // day 5, month 1, year 99, then the 100 digits, then month ordinal 1 and year ordinal 1.
    EXPECT_EQ(std::string(r1.data(), 6), std::string("\x05\x00\x01\x00\x63\x00", 6));
    EXPECT_EQ(std::string(r1.data() + 6, 100), Ruote);
    EXPECT_EQ(std::string(r1.data() + 106, 4), std::string("\x01\x00\x01\x00", 4));
    const auto r2 = RecordDellEstrazione(a, 2);
    EXPECT_EQ(std::string(r2.data() + 4, 2), std::string("\x05\x00", 2)); // 2005 is written 5
    // Both draws fall in January: the month count goes on across the years, so the second is 2.
    EXPECT_EQ(std::string(r2.data() + 106, 4), std::string("\x02\x00\x01\x00", 4));

    EXPECT_EQ(RigaQuorvex(a, 1), "\"" + Ruote +
                                     "99"
                                     "01"
                                     "05"
                                     "01"
                                     "01"
                                     "\"\r\n");
    EXPECT_EQ(RigaQuorvex(a, 2), "\"" + Ruote +
                                     "05"
                                     "01"
                                     "07"
                                     "02"
                                     "01"
                                     "\"\r\n");

    EXPECT_FALSE(RigaNazionale(a, 1).has_value());
    EXPECT_EQ(RigaNazionale(a, 2), "00002-1020304050\r\n");
}

TEST(Esportazioni, OrdinaleDiTreCifre) {
    // Three or four draws a week from 01/01/2000: draw 100 is the hundredth of the year.
    const auto a = ArchivioDa(RigheCasuali(110, 4, 0, 0, 0));
    ASSERT_EQ(a.PosizioneAnno[100], 100);
    const auto riga = RigaQuorvex(a, 100);
    EXPECT_EQ(riga.size(), 1 + 100 + 6 + 2 + 3 + 1 + 2u);
    EXPECT_EQ(riga.substr(107),
              std::to_string(a.PosizioneMese[100]).insert(0, a.PosizioneMese[100] < 10 ? "0" : "") +
                  "100\"\r\n");
}

TEST(Esportazioni, FileScrittiInteriOPerNiente) {
    CartellaTemporanea c;
    const auto a = ArchivioDa(DueEstrazioni());
    // An older, longer file: its records past the new end stay in place.
    const auto file = c / "Dati.iii";
    {
        std::ofstream vecchio(file, std::ios::binary);
        vecchio << std::string(4 * LunghezzaRecordDatiIii, 'X');
    }
    std::vector<int> progresso;
    EsportaDatiIii(a, file, [&](int f, int) { progresso.push_back(f); });
    const auto dati = Leggi(file);
    ASSERT_EQ(dati.size(), 4 * LunghezzaRecordDatiIii);
    EXPECT_EQ(dati.substr(0, 110), std::string(RecordDellEstrazione(a, 1).data(), 110));
    EXPECT_EQ(dati.substr(220), std::string(220, 'X'));
    EXPECT_TRUE(progresso.empty()); // every tenth draw only

    EsportaNazionale(a, c / "naz.txt");
    EXPECT_EQ(Leggi(c / "naz.txt"), "00002-1020304050\r\n");

    // A destination that cannot be replaced: an error, the folder as it was, no temporary left.
    std::filesystem::create_directory(c / "cartella.iii");
    EXPECT_THROW(EsportaQuorvex(a, c / "cartella.iii"), ErroreEsportazione);
    // The missing folder is named the system's way, even when the caller wrote "/".
    try {
        EsportaQuorvex(a, c / "manca/DATI32.III");
        ADD_FAILURE() << "cartella mancante accettata";
    } catch (const ErroreEsportazione& e) {
        EXPECT_EQ(std::string(e.what()), "impossibile creare il file in " + PercorsoDiSistema(c / "manca"));
    }
    int presenti = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(c.Percorso()))
        ++presenti;
    EXPECT_EQ(presenti, 3); // Dati.iii, naz.txt and the folder
#ifdef _WIN32
    EXPECT_EQ(PercorsoQuorvex("C:\\Users\\u"), "C:\\QRVX3\\DATI32.III");
#else
    EXPECT_EQ(PercorsoQuorvex("/home/u"), "/home/u/.wine/drive_c/QRVX3/DATI32.III");
#endif
}

// Only regular files are replaced: a FIFO is refused and stays a FIFO (nothing opens it, so nothing
// waits for a reader); through a symbolic link the file it leads to is replaced and the link stays.
#ifndef _WIN32 // FIFOs and POSIX links
TEST(Esportazioni, FifoECollegamenti) {
    CartellaTemporanea c;
    const auto a = ArchivioDa(DueEstrazioni());
    const std::vector<std::pair<std::string, std::function<void(const std::string&)>>> formati = {
        {"dati-iii", [&](const std::string& f) { EsportaDatiIii(a, f); }},
        {"quorvex", [&](const std::string& f) { EsportaQuorvex(a, f); }},
        {"nazionale", [&](const std::string& f) { EsportaNazionale(a, f); }}};
    for (const auto& [nome, esporta] : formati) {
        const auto fifo = c / (nome + ".fifo");
        ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
        try {
            esporta(fifo);
            ADD_FAILURE() << nome << ": FIFO accettata";
        } catch (const ErroreEsportazione& e) {
            EXPECT_NE(std::string(e.what()).find("è una FIFO, non un file normale"), std::string::npos)
                << e.what();
        }
        EXPECT_EQ(TipoDi(fifo), TipoFile::Fifo) << nome;

        esporta(c / (nome + ".atteso"));
        const auto atteso = Leggi(c / (nome + ".atteso"));
        // A link to an older file, through a second link, and a link to a file not yet there.
        std::filesystem::create_directory(c / ("dati-" + nome));
        const auto bersaglio = c / ("dati-" + nome + "/vero");
        std::ofstream(bersaglio, std::ios::binary) << "vecchio";
        std::filesystem::permissions(bersaglio, std::filesystem::perms::owner_read |
                                                    std::filesystem::perms::owner_write);
        std::filesystem::create_symlink("dati-" + nome + "/vero", c / (nome + ".medio"));
        std::filesystem::create_symlink(c / (nome + ".medio"), c / (nome + ".link"));
        esporta(c / (nome + ".link"));
        EXPECT_EQ(TipoDi(c / (nome + ".link")), TipoFile::Collegamento) << nome;
        EXPECT_EQ(TipoDi(c / (nome + ".medio")), TipoFile::Collegamento) << nome;
        EXPECT_EQ(Leggi(c / (nome + ".link")), atteso) << nome;
        // The old file's own permissions, not the folder's defaults.
        EXPECT_EQ(std::filesystem::status(bersaglio).permissions(),
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
        std::filesystem::create_symlink("nuovo-" + nome, c / (nome + ".rotto"));
        esporta(c / (nome + ".rotto"));
        EXPECT_EQ(Leggi(c / ("nuovo-" + nome)), atteso) << nome;
        EXPECT_EQ(TipoDi(c / (nome + ".rotto")), TipoFile::Collegamento) << nome;
        // A link that leads to a FIFO, or round in a circle, is refused too.
        std::filesystem::create_symlink(fifo, c / (nome + ".aFifo"));
        EXPECT_THROW(esporta(c / (nome + ".aFifo")), ErroreEsportazione) << nome;
        EXPECT_EQ(TipoDi(fifo), TipoFile::Fifo) << nome;
        std::filesystem::create_symlink(nome + ".giro", c / (nome + ".giro"));
        EXPECT_THROW(esporta(c / (nome + ".giro")), ErroreEsportazione) << nome;
    }
    // No temporary file left anywhere.
    for (const auto& voce : std::filesystem::recursive_directory_iterator(c.Percorso()))
        EXPECT_EQ(voce.path().filename().string().find(".tmp"), std::string::npos) << voce.path();
}
#endif

TEST(Esportazioni, RigaDiComandoScriveGliStessiByte) {
    CartellaTemporanea c;
    const auto righe = DueEstrazioni();
    {
        std::ofstream testo(c / "archivio.txt", std::ios::binary);
        for (const auto& r : righe) {
            std::string riga = r.Data;
            for (const auto& cella : r.Celle) {
                std::string campo = " " + cella;
                campo.resize(15, ' ');
                riga += campo;
            }
            testo << riga << "\r\n";
        }
    }
    const auto a = ArchivioDa(righe);
    for (const std::string formato : {"dati-iii", "quorvex", "nazionale"}) {
        std::ostringstream out, err;
        const auto file = c / ("cli-" + formato);
        EXPECT_EQ(
            cli::Principale({"esporta", formato, file, "--archivio", c / "archivio.txt"}, {"."}, out, err), 0)
            << err.str();
        const auto atteso = c / ("lib-" + formato);
        if (formato == "dati-iii") EsportaDatiIii(a, atteso);
        if (formato == "quorvex") EsportaQuorvex(a, atteso);
        if (formato == "nazionale") EsportaNazionale(a, atteso);
        EXPECT_EQ(Leggi(file), Leggi(atteso)) << formato;
    }
    std::ostringstream out, err;
    EXPECT_EQ(cli::Principale({"esporta", "altro", c / "x"}, {"."}, out, err), 2);
    EXPECT_EQ(cli::Principale({"esporta", "quorvex", c / "manca/x", "--archivio", c / "archivio.txt"}, {"."},
                              out, err),
              1);
}
