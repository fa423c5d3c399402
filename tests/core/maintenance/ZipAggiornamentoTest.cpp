// SPDX-License-Identifier: GPL-3.0-or-later
// ZIP sources and the size limit of an update file: libzip's CRC check on every entry read to its
// end, a damaged, truncated, inconsistent or oversized ZIP refused whole, and files on disk held to
// the limit of a download.
#include <gtest/gtest.h>

#include <fstream>

#include "Supporto.h"
#include "core/maintenance/AiutiAggiornamento.h"

using namespace trivalto;
using namespace trivalto::test;

TEST(Aggiornamento, ZipDanneggiatoRifiutatoIntero) {
    const std::string coda = CodaStorico(110);
    const auto riga = RigheDaSorgente(ZipDi("storico.txt", coda));
    ASSERT_EQ(riga.size(), 10u);
    // Stored, one byte of the data changed: only the CRC can tell.
    auto memorizzato = Zip({{"storico.txt", coda}}, ZIP_CM_STORE);
    ASSERT_EQ(Estrazioni(RigheDaSorgente(memorizzato)), Estrazioni(riga));
    size_t dove = memorizzato.find(coda.substr(200, 40));
    ASSERT_NE(dove, std::string::npos);
    while (!std::isdigit(static_cast<unsigned char>(memorizzato[dove])))
        ++dove;
    memorizzato[dove] = memorizzato[dove] == '1' ? '2' : '1';
    EXPECT_EQ(
        Rifiuto([&] { RigheDaSorgente(memorizzato); }),
        "archivio ZIP non utilizzabile (storico.txt): i dati non corrispondono al loro codice di controllo "
        "(CRC): archivio ZIP danneggiato");
    // Deflated, one byte of the compressed data changed.
    auto compresso = ZipDi("storico.txt", coda);
    compresso[compresso.size() / 2] ^= 0x55;
    EXPECT_EQ(Rifiuto([&] { RigheDaSorgente(compresso); }).rfind("archivio ZIP non utilizzabile", 0), 0u);
    // The damaged entry need not be the one read: the ZIP is refused whole.
    auto due = Zip({{"storico.txt", coda}, {"leggimi.txt", std::string(3000, 'x')}}, ZIP_CM_STORE);
    due[due.rfind(std::string(100, 'x')) + 50] = 'y';
    EXPECT_NE(Rifiuto([&] { RigheDaSorgente(due); }).find("(leggimi.txt): i dati non corrispondono"),
              std::string::npos);
    // Truncated anywhere.
    const auto intero = ZipDi("storico.txt", coda);
    for (size_t n : {size_t(4), size_t(30), intero.size() / 2, intero.size() - 1}) {
        const auto messaggio = Rifiuto([&] { RigheDaSorgente(intero.substr(0, n)); });
        EXPECT_EQ(messaggio.rfind("archivio ZIP non utilizzabile", 0), 0u) << n << ": " << messaggio;
    }
    EXPECT_EQ(
        Rifiuto([&] { RigheDaSorgente(intero.substr(0, 30)); }),
        "archivio ZIP non utilizzabile: il file non è un archivio ZIP, o ne è solo una parte (manca il suo "
        "indice)");
    // The central directory that disagrees with an entry's own header: refused when opened.
    auto incoerente = ZipDi("storico.txt", coda);
    incoerente[incoerente.find("PK\x01\x02") + 16] ^= 0x01; // the CRC it lists
    EXPECT_EQ(Rifiuto([&] { RigheDaSorgente(incoerente); }),
              "archivio ZIP non utilizzabile: archivio ZIP incoerente: danneggiato o troncato");
    // A folder entry before the file is skipped.
    const auto conCartella = Zip({{"cartella/", ""}, {"cartella/storico.txt", coda}});
    EXPECT_EQ(Estrazioni(RigheDaSorgente(conCartella)), Estrazioni(riga));
    // No file in it, a ZIP in a ZIP.
    const std::string vuoto = "PK\x05\x06" + std::string(18, '\0'); // the end record alone
    EXPECT_EQ(Rifiuto([&] { RigheDaSorgente(vuoto); }), "l'archivio ZIP non contiene alcun file");
    EXPECT_EQ(Rifiuto([&] { RigheDaSorgente(ZipDi("dentro.zip", intero)); }),
              "l'archivio ZIP contiene un altro archivio ZIP, non un file di estrazioni");
}

TEST(Aggiornamento, EspansioneFermataAlLimite) {
    // At the limit whatever the ZIP declares: 5,000 bytes pass a limit of 5,000 and not of 4,999.
    const auto zip = ZipDi("a.txt", std::string(5000, '0'));
    EXPECT_EQ(EstraiDaZip(zip, 5000).size(), 5000u);
    EXPECT_EQ(
        Rifiuto([&] { EstraiDaZip(zip, 4999); }),
        "archivio ZIP non utilizzabile: il file supera il limite di 4999 byte per un file di aggiornamento");
    // Declaring 10 bytes changes nothing: the bytes given are counted, and more than declared is a
    // damage of its own.
    auto bugiardo = zip;
    for (size_t p = bugiardo.find("PK\x03\x04"); p != std::string::npos;
         p = bugiardo.find("PK\x03\x04", p + 1))
        bugiardo.replace(p + 22, 4, std::string("\x0a\0\0\0", 4));
    for (size_t p = bugiardo.find("PK\x01\x02"); p != std::string::npos;
         p = bugiardo.find("PK\x01\x02", p + 1))
        bugiardo.replace(p + 24, 4, std::string("\x0a\0\0\0", 4));
    for (long long limite : {100LL, 4999LL, MassimoScaricamento})
        EXPECT_EQ(Rifiuto([&] { EstraiDaZip(bugiardo, limite); }),
                  "archivio ZIP non utilizzabile (a.txt): archivio ZIP incoerente: danneggiato o troncato");
    // The limit counts every entry: two of 3,000 pass 6,000 and not 5,999.
    const auto due = Zip({{"a.txt", std::string(3000, '1')}, {"b.txt", std::string(3000, '2')}});
    EXPECT_EQ(EstraiDaZip(due, 6000), std::string(3000, '1'));
    EXPECT_NE(Rifiuto([&] { EstraiDaZip(due, 5999); }).find("supera il limite"), std::string::npos);
    // The download limit by default: 17 MB of zeros, 17 KB zipped.
    const auto bomba = ZipDi("bomba.txt", std::string(17u << 20, '0'));
    EXPECT_LT(bomba.size(), 100000u);
    EXPECT_EQ(
        Rifiuto([&] { RigheDaSorgente(bomba); }),
        "archivio ZIP non utilizzabile: il file supera il limite di 16 MB per un file di aggiornamento");
}

TEST(Aggiornamento, FileSulDiscoColLimiteDelloScaricamento) {
    CartellaTemporanea c;
    EXPECT_EQ(Rifiuto([&] { LeggiSorgente(c.Percorso().string()); }),
              c.Percorso().string() + " è una cartella, non un file di aggiornamento");
    EXPECT_EQ(Rifiuto([&] { LeggiSorgente(c / "manca.txt"); }),
              "impossibile aprire il file " + c / "manca.txt" + ": file o cartella inesistente");
    std::ofstream(c / "limite.txt", std::ios::binary) << std::string(4096, 'x');
    EXPECT_EQ(LeggiSorgente(c / "limite.txt", 4096).size(), 4096u);
    EXPECT_EQ(Rifiuto([&] { LeggiSorgente(c / "limite.txt", 4095); }),
              c / "limite.txt" + ": il file supera il limite di 4095 byte per un file di aggiornamento");
    // A file without an end stops at the limit.
    EXPECT_EQ(Rifiuto([&] { LeggiSorgente("/dev/zero", 1 << 20); }),
              "/dev/zero: il file supera il limite di 1 MB per un file di aggiornamento");
}
