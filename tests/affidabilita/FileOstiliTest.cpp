// SPDX-License-Identifier: GPL-3.0-or-later
// Files a careless or hostile user gives the command-line program, as archive or as file to
// import: each refused with one clear Italian line on stderr and exit status 1, and the archive
// left byte for byte as it was.
#include <gtest/gtest.h>
#include <sched.h>
#include <sqlite3.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

#include <random>

#include "Processi.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// The library's own English texts must never reach the user.
void SoloItaliano(const std::string& messaggio) {
    for (const char* inglese : {"file is", "unable to", "disk is full", "attempt to", "disk image",
                                "malformed", "not a database", "No such", "Permission"})
        EXPECT_EQ(messaggio.find(inglese), std::string::npos) << messaggio;
    EXPECT_EQ(std::count(messaggio.begin(), messaggio.end(), '\n'), 1) << messaggio;
}

/// `importa file --archivio archivio` refused: status 1, one Italian line holding `atteso`, the
/// archive unchanged.
void Rifiutato(const std::string& file, const std::string& archivio, const std::string& atteso,
               const std::function<void()>& prima = {}, const std::string& eseguibile = TRIVALTO_CLI) {
    const auto bytePrima = Leggi(archivio);
    const auto e = EseguiCli({"importa", file, "--archivio", archivio}, 0, prima, eseguibile);
    EXPECT_EQ(e.Stato, 1) << atteso << ": " << e.Errori;
    EXPECT_NE(e.Errori.find(atteso), std::string::npos) << e.Errori;
    SoloItaliano(e.Errori);
    EXPECT_EQ(Leggi(archivio), bytePrima) << atteso;
}

/// In the child, as a user the permission bits apply to (root passes them all).
void ComeUtenteComune() {
    if (geteuid() == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0) _exit(126);
    }
}

} // namespace

TEST(FileOstili, ComeArchivio) {
    CartellaTemporanea c;
    std::filesystem::permissions(c.Percorso(), std::filesystem::perms::all);
    // One draw newer than the archive less its last, to import.
    const auto nuova = c / "nuova.txt";
    std::ofstream(nuova, std::ios::binary) << ScriviLineaArchivioTesto(RigheReali().back()) << "\r\n";
    // Another program's databases with a table of the same name: plain SQLite (no key), and
    // encrypted with another key.
    for (const auto& [file, chiave] :
         {std::pair{c / "sqlite.mdb", std::string()}, {c / "altra.mdb", "altra"}}) {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        if (!chiave.empty()) sqlite3_key(db, chiave.data(), static_cast<int>(chiave.size()));
        EXPECT_EQ(
            sqlite3_exec(db, "CREATE TABLE EstrazioniLotto (DataEstrazione TEXT)", nullptr, nullptr, nullptr),
            SQLITE_OK);
        sqlite3_close(db);
    }
    ASSERT_EQ(Leggi(c / "sqlite.mdb").rfind("SQLite format 3", 0), 0u);
    ASSERT_EQ(Leggi(c / "altra.mdb").find("EstrazioniLotto"), std::string::npos);
    const std::string estraneo = "non è un database di questo programma, oppure ha un'altra password";
    Rifiutato(nuova, c / "sqlite.mdb", estraneo);
    Rifiutato(nuova, c / "altra.mdb", estraneo);

    // A copy of the real archive cut short, as by a copy that did not finish.
    CopiaArchivioReale(c / "tronco.mdb");
    std::filesystem::resize_file(c / "tronco.mdb", std::filesystem::file_size(c / "tronco.mdb") * 2 / 5);
    Rifiutato(nuova, c / "tronco.mdb", "il database è danneggiato");
    auto e = EseguiCli({"analizza", "--archivio", c / "tronco.mdb"});
    EXPECT_EQ(e.Stato, 1);
    EXPECT_NE(e.Errori.find("Impossibile leggere l'archivio: il database è danneggiato"), std::string::npos)
        << e.Errori;

    std::filesystem::create_directories(c / "cartella.mdb");
    e = EseguiCli({"importa", nuova, "--archivio", c / "cartella.mdb"});
    EXPECT_EQ(e.Stato, 1);
    EXPECT_NE(e.Errori.find("è una cartella"), std::string::npos) << e.Errori;
    EXPECT_TRUE(std::filesystem::is_empty(c / "cartella.mdb"));
    e = EseguiCli({"analizza", "--archivio", c / "cartella.mdb"});
    EXPECT_EQ(e.Stato, 1);
    EXPECT_NE(e.Errori.find("cartella.mdb è una cartella, non un file"), std::string::npos) << e.Errori;

    // Read-only: the file, then the folder (no room for the journal). The program is run from a copy
    // in the test's folder, which the other user can reach wherever the build is.
    const auto cli = c / "trivalto-cli";
    std::filesystem::copy_file(TRIVALTO_CLI, cli);
    std::filesystem::permissions(cli, std::filesystem::perms::all);
    CopiaArchivioReale(c / "sola.mdb");
    {
        auto db = DatabaseArchivio::Apri(c / "sola.mdb");
        db->Elimina(RigheReali().back().Data);
    }
    std::filesystem::permissions(c / "sola.mdb", std::filesystem::perms::owner_read |
                                                     std::filesystem::perms::group_read |
                                                     std::filesystem::perms::others_read);
    Rifiutato(nuova, c / "sola.mdb", "il file è di sola lettura", ComeUtenteComune, cli);
    std::filesystem::create_directories(c / "chiusa");
    std::filesystem::copy_file(c / "sola.mdb", c / "chiusa/a.mdb");
    std::filesystem::permissions(c / "chiusa/a.mdb", std::filesystem::perms::all);
    std::filesystem::permissions(
        c / "chiusa", std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec |
                          std::filesystem::perms::group_read | std::filesystem::perms::group_exec |
                          std::filesystem::perms::others_read | std::filesystem::perms::others_exec);
    Rifiutato(nuova, c / "chiusa/a.mdb", "impossibile aprire o creare il file", ComeUtenteComune, cli);
    std::filesystem::permissions(c / "chiusa", std::filesystem::perms::all);
}

// A full disk: a small private tmpfs when this machine lets the test mount one, else a limit on the
// size of the files the program may write.
TEST(FileOstili, DiscoPieno) {
    CartellaTemporanea c;
    CopiaArchivioReale(c / "base.mdb");
    {
        auto db = DatabaseArchivio::Apri(c / "base.mdb");
        Transaction tr(db->Db());
        for (size_t i = RigheReali().size() - 100; i < RigheReali().size(); ++i)
            db->Elimina(RigheReali()[i].Data);
        tr.Conferma();
    }
    const auto testo = PercorsoDati("archivio-1939-2026.txt");
    const auto esito = c / "esito";
    std::filesystem::create_directories(c / "disco");
    const pid_t pid = fork();
    if (pid == 0) {
        if (unshare(CLONE_NEWNS) != 0 || mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            mount("tmpfs", (c / "disco").c_str(), "tmpfs", 0, "size=8m") != 0)
            _exit(3);
        std::filesystem::copy_file(c / "base.mdb", c / "disco/a.mdb");
        // Fill what is left.
        {
            std::ofstream riempi(c / "disco/riempi", std::ios::binary);
            const std::string blocco(4096, 'x');
            while (riempi.write(blocco.data(), blocco.size()))
                ;
        }
        const auto prima = Leggi(c / "disco/a.mdb");
        const auto e = EseguiCli({"importa", testo, "--archivio", c / "disco/a.mdb"});
        std::ofstream(esito, std::ios::binary) << e.Stato << "\n"
                                               << (Leggi(c / "disco/a.mdb") == prima) << "\n"
                                               << e.Errori;
        _exit(0);
    }
    int stato = 0;
    waitpid(pid, &stato, 0);
    ASSERT_TRUE(WIFEXITED(stato));
    std::string risultato;
    if (WEXITSTATUS(stato) == 0) {
        risultato = Leggi(esito);
        RecordProperty("disco", "tmpfs");
    } else {
        // No mount here: no file may grow past 8 KiB, so the journal of the write cannot be made.
        std::filesystem::copy_file(c / "base.mdb", c / "a.mdb");
        const auto prima = Leggi(c / "a.mdb");
        const rlim_t limite = 8192;
        const auto e = EseguiCli({"importa", testo, "--archivio", c / "a.mdb"}, 0, [limite] {
            signal(SIGXFSZ, SIG_IGN);
            rlimit r{limite, limite};
            setrlimit(RLIMIT_FSIZE, &r);
        });
        risultato =
            std::to_string(e.Stato) + "\n" + std::to_string(Leggi(c / "a.mdb") == prima) + "\n" + e.Errori;
        RecordProperty("disco", "RLIMIT_FSIZE");
    }
    const auto righe = risultato.find('\n'), seconda = risultato.find('\n', righe + 1);
    ASSERT_NE(seconda, std::string::npos) << risultato;
    const auto messaggio = risultato.substr(seconda + 1);
    EXPECT_EQ(risultato.substr(0, righe), "1") << messaggio;
    EXPECT_EQ(risultato.substr(righe + 1, seconda - righe - 1), "1") << "archivio cambiato";
    EXPECT_TRUE(messaggio.find("disco pieno") != std::string::npos ||
                messaggio.find("errore di lettura o scrittura sul disco") != std::string::npos)
        << messaggio;
    SoloItaliano(messaggio);
}

TEST(FileOstili, ComeFileDaImportare) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    CopiaArchivioReale(archivio);
    std::mt19937 gen(1414);
    std::string casuale(1 << 20, '\0');
    for (auto& ch : casuale)
        ch = static_cast<char>(gen());
    std::ofstream(c / "casuale.txt", std::ios::binary) << casuale;
    Rifiutato(c / "casuale.txt", archivio, "nessuna estrazione importata");

    // 200 MB of well-formed draws: refused when the 10,000th is read, not after all are in memory.
    {
        std::ofstream out(c / "enorme.txt", std::ios::binary);
        RigaEstrazione r{"", {}};
        r.Celle.fill("01-02-03-04-05");
        std::string blocco;
        Data d{1, 1, 1871};
        for (int i = 0; i < 20000; ++i) {
            r.Data = TestoData(d);
            blocco += ScriviLineaArchivioTesto(r) + "\r\n";
            if (++d.giorno > 28) d.giorno = 1, d.mese = d.mese % 12 + 1, d.anno += d.mese == 1;
        }
        for (size_t scritti = 0; scritti < 200u * 1000 * 1000; scritti += blocco.size())
            out << blocco;
    }
    Rifiutato(c / "enorme.txt", archivio, "riga 10000: il file contiene più di 9999 estrazioni");
    std::filesystem::remove(c / "enorme.txt");

    std::ofstream(c / "lunga.txt", std::ios::binary)
        << ScriviLineaArchivioTesto(RigheReali()[0]) << std::string(1 << 20, '7') << "\r\n";
    Rifiutato(c / "lunga.txt", archivio, "riga 1: riga troppo lunga (1048751 caratteri)");

    std::string utf16 = "\xFF\xFE";
    for (char ch : ScriviLineaArchivioTesto(RigheReali()[0]) + "\r\n")
        utf16 += std::string{ch, '\0'};
    std::ofstream(c / "utf16.txt", std::ios::binary) << utf16;
    Rifiutato(c / "utf16.txt", archivio, "è in codifica UTF-16");
    // A folder as the file: it would read as an empty file, and a new archive would appear empty.
    Rifiutato(c.Percorso().string(), archivio, "è una cartella");
    EXPECT_EQ(EseguiCli({"importa", c.Percorso().string(), "--archivio", c / "nuovo.mdb"}).Stato, 1);
    EXPECT_FALSE(std::filesystem::exists(c / "nuovo.mdb"));
}

// Export destinations that are not regular files. A FIFO opened for writing would wait for a reader
// for ever, and renaming over it or over a device would put a plain file in its place: both are
// refused and stay what they were. A symbolic link stays a link, and its target gets the new file.
TEST(FileOstili, DestinazioniDiEsportazione) {
    CartellaTemporanea c;
    const auto archivio = c / "a.mdb";
    CopiaArchivioReale(archivio);
    ASSERT_EQ(mkfifo((c / "fifo").c_str(), 0600), 0);
    const bool dispositivo =
        geteuid() == 0 && mknod((c / "nullo").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    for (const std::string formato : {"dati-iii", "quorvex", "nazionale"}) {
        for (const auto& [file, tipo] :
             {std::pair{c / "fifo", "una FIFO"}, {c / "nullo", "un dispositivo"}}) {
            if (file == c / "nullo" && !dispositivo) continue;
            const auto e = EseguiCli({"esporta", formato, file, "--archivio", archivio}, 30);
            EXPECT_EQ(e.Stato, 1) << formato << " " << tipo << ": " << e.Errori;
            EXPECT_NE(e.Errori.find(std::string("è ") + tipo + ", non un file normale"), std::string::npos)
                << e.Errori;
            SoloItaliano(e.Errori);
        }
        struct stat st {};
        ASSERT_EQ(lstat((c / "fifo").c_str(), &st), 0);
        EXPECT_TRUE(S_ISFIFO(st.st_mode)) << formato;
        if (dispositivo) {
            ASSERT_EQ(lstat((c / "nullo").c_str(), &st), 0);
            EXPECT_TRUE(S_ISCHR(st.st_mode)) << formato;
        }

        ASSERT_EQ(EseguiCli({"esporta", formato, c / (formato + ".atteso"), "--archivio", archivio}).Stato,
                  0);
        std::filesystem::create_directories(c / "vera");
        std::ofstream(c / ("vera/" + formato), std::ios::binary) << "file di prima";
        std::filesystem::create_symlink("vera/" + formato, c / (formato + ".link"));
        const auto e = EseguiCli({"esporta", formato, c / (formato + ".link"), "--archivio", archivio}, 30);
        EXPECT_EQ(e.Stato, 0) << e.Errori;
        EXPECT_TRUE(std::filesystem::is_symlink(c / (formato + ".link"))) << formato;
        EXPECT_EQ(Leggi(c / ("vera/" + formato)), Leggi(c / (formato + ".atteso"))) << formato;
    }
    EXPECT_EQ(Integrita(archivio), "ok");
}
