// SPDX-License-Identifier: GPL-3.0-or-later
// Update sources a careless or hostile user, or a broken server, gives `trivalto-cli aggiorna`: the
// program is run in its own process with a limit on its memory, and each source is refused quickly
// with one Italian line and status 1, the archive byte for byte as it was.
#include <gtest/gtest.h>
#include <zip.h>

#include <random>

#include "Processi.h"
#include "ServerProva.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// Memory the program may take: far less than the 1 GB a small ZIP once took, far more than a
/// 16 MB update file needs.
constexpr rlim_t MemoriaMassima = 256u << 20;

void ConMemoriaLimitata() {
#ifndef __SANITIZE_ADDRESS__ // AddressSanitizer reserves far more address space than any such limit
    rlimit r{MemoriaMassima, MemoriaMassima};
    setrlimit(RLIMIT_AS, &r);
#endif
}

/// No text of a library may reach the user.
void SoloItaliano(const std::string& messaggio) {
    for (const char* inglese :
         {"Failed", "failed", "error", "Error", "Not a", "Is a", "No such", "Permission", "not supported",
          "malformed", "Unsupported", "URL", "bad_alloc", "std::", "filesystem", "CRC error", "Zip archive"})
        EXPECT_EQ(messaggio.find(inglese), std::string::npos) << messaggio;
    EXPECT_EQ(std::count(messaggio.begin(), messaggio.end(), '\n'), 1) << messaggio;
}

/// `aggiorna --da da --archivio archivio --applica` refused: status 1 within `secondi`, one Italian
/// line holding `atteso`, the archive unchanged.
void Rifiutato(const std::string& da, const std::string& archivio, const std::string& atteso,
               double secondi = 20) {
    const auto prima = Leggi(archivio);
    const auto e =
        EseguiCli({"aggiorna", "--da", da, "--archivio", archivio, "--applica"}, 60, ConMemoriaLimitata);
    EXPECT_EQ(e.Stato, 1) << atteso << ": " << e.Errori;
    EXPECT_NE(e.Errori.find(atteso), std::string::npos) << e.Errori;
    EXPECT_LT(e.Secondi, secondi) << atteso;
    SoloItaliano(e.Errori);
    EXPECT_EQ(Leggi(archivio), prima) << atteso;
}

} // namespace

TEST(AggiornamentiOstili, SorgentiSenzaFineOTroppoGrandi) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    CopiaArchivioReale(archivio);
    const std::string limite = "il file supera il limite di 16 MB per un file di aggiornamento";
    // A ZIP of 250 KB that expands to 256 MB.
    const auto bomba = ZipDi("storico.txt", std::string(256u << 20, '7'));
    ASSERT_LT(bomba.size(), 300u * 1024);
    std::ofstream(c / "bomba.zip", std::ios::binary) << bomba;
    Rifiutato(c / "bomba.zip", archivio, "archivio ZIP non utilizzabile: " + limite);
    // A file without an end, and one just past the limit.
    Rifiutato("/dev/zero", archivio, "/dev/zero: " + limite);
    std::ofstream(c / "grande.txt", std::ios::binary) << std::string((16u << 20) + 1, '0');
    Rifiutato(c / "grande.txt", archivio, limite);
    // Bodies past the limit, announced or not.
    for (auto modo : {ServerProva::Modo::Risponde, ServerProva::Modo::SenzaLunghezza}) {
        ServerProva server(200, std::string(40u << 20, '0'), modo);
        Rifiutato(server.Indirizzo(), archivio, "(scaricamento), archivio non modificato: " + limite);
    }
    // Within the limit but more lines than an archive holds draws: refused while reading.
    std::string righe;
    while (righe.size() < (15u << 20))
        righe += "07/01/1939 x\r\n";
    std::ofstream(c / "righe.txt", std::ios::binary) << righe;
    Rifiutato(c / "righe.txt", archivio, "riga 10000: il file contiene più di 9999 estrazioni");
    // One line of 15 MB.
    std::ofstream(c / "lunga.txt", std::ios::binary)
        << "07/01/1939 " << std::string(15u << 20, '1') << "\r\n";
    const auto e =
        EseguiCli({"aggiorna", "--da", c / "lunga.txt", "--archivio", archivio}, 60, ConMemoriaLimitata);
    EXPECT_EQ(e.Stato, 0) << e.Errori;
    EXPECT_LT(e.Secondi, 20);
}

TEST(AggiornamentiOstili, FileCheNonSonoAggiornamenti) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    CopiaArchivioReale(archivio);
    std::mt19937 gen(1919);
    std::string casuale(1 << 20, '\0');
    for (auto& ch : casuale)
        ch = static_cast<char>(gen());
    std::ofstream(c / "casuale.txt", std::ios::binary) << casuale;
    Rifiutato(c / "casuale.txt", archivio, "(lettura del file), archivio non modificato:");
    std::ofstream(c / "casuale.zip", std::ios::binary) << "PK\x03\x04" << casuale;
    Rifiutato(c / "casuale.zip", archivio,
              "archivio ZIP non utilizzabile: il file non è un archivio ZIP, o ne è solo una parte");
    std::string utf16 = "\xFF\xFE";
    for (char ch : ScriviLineaArchivioTesto(RigheReali()[0]) + "\r\n")
        utf16 += std::string{ch, '\0'};
    std::ofstream(c / "utf16.txt", std::ios::binary) << utf16;
    Rifiutato(c / "utf16.txt", archivio, "il file è in codifica UTF-16");
    Rifiutato(c.Percorso().string(), archivio, "è una cartella, non un file di aggiornamento");
    Rifiutato(c / "manca.txt", archivio,
              "impossibile aprire il file " + c / "manca.txt" + ": file o cartella inesistente");
    Rifiutato("sftp://127.0.0.1/x", archivio, "protocollo non ammesso");
    Rifiutato("http://[::1", archivio, "indirizzo non valido");
    ServerProva antico(200, "solo testo\r\n", ServerProva::Modo::Grezzo);
    Rifiutato(antico.Indirizzo(), archivio, "il server ha risposto senza intestazioni HTTP (HTTP/0.9)");
}
