// SPDX-License-Identifier: GPL-3.0-or-later
// Transfers against servers the test starts on 127.0.0.1: a whole body, a redirect, and every way a
// transfer fails, each leaving the previous downloaded file as it was and told in Italian; and the
// table of the messages that stand for the libraries' texts.
#include <curl/curl.h>
#include <gtest/gtest.h>
#include <zip.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <thread>

#include "ServerProva.h"
#include "Supporto.h"
#include "core/archive/CauseSistema.h"
#include "core/maintenance/Aggiornamento.h"
#include "core/maintenance/Scaricamento.h"

using namespace trivalto;
using namespace trivalto::test;

namespace {

/// The cause of the failure of a download over `file`, which must keep its old content.
std::string Fallisce(const std::string& indirizzo, const std::string& file, ControlloScaricamento c = {}) {
    try {
        ScaricaInFile(indirizzo, file, c);
    } catch (const ErroreScaricamento& e) {
        EXPECT_EQ(Leggi(file), "vecchio") << indirizzo;
        return e.what();
    }
    ADD_FAILURE() << "trasferimento riuscito: " << indirizzo;
    return {};
}

} // namespace

TEST(Scaricamento, CorpoInteroERedirezione) {
    const std::string corpo(100000, 'x');
    ServerProva server(200, corpo);
    EXPECT_EQ(Scarica(server.Indirizzo()), corpo);
    CartellaTemporanea c;
    long long visti = 0;
    ControlloScaricamento ctl;
    ctl.Progresso = [&](long long ricevuti, long long) { visti = ricevuti; };
    ScaricaInFile(server.Indirizzo(), c / "Estr_Agg.txt", ctl);
    EXPECT_EQ(Leggi(c / "Estr_Agg.txt"), corpo);
    EXPECT_EQ(visti, 100000);
    ServerProva rimanda(302, "", ServerProva::Modo::Risponde, "Location: " + server.Indirizzo() + "\r\n");
    EXPECT_EQ(Scarica(rimanda.Indirizzo()), corpo);
    ServerProva vuoto(200, "");
    EXPECT_EQ(Scarica(vuoto.Indirizzo()), "");
}

TEST(Scaricamento, OgniGuastoLasciaIlFilePrecedente) {
    CartellaTemporanea c;
    const auto file = c / "Estr_Agg.txt";
    std::ofstream(file, std::ios::binary) << "vecchio";
    {
        ServerProva server(404, "non c'è");
        EXPECT_EQ(Fallisce(server.Indirizzo(), file), "il server ha risposto 404 (file non trovato)");
    }
    {
        ServerProva server(500, "guasto");
        EXPECT_EQ(Fallisce(server.Indirizzo(), file), "il server ha risposto 500 (errore del server)");
        ServerProva ciclo(302, "", ServerProva::Modo::Ciclo);
        EXPECT_EQ(Fallisce(ciclo.Indirizzo(), file), "troppi reindirizzamenti");
    }
    EXPECT_EQ(Fallisce(ServerProva::IndirizzoChiuso(), file).rfind("connessione rifiutata", 0), 0u);
    {
        ServerProva server(200, std::string(50000, 'y'), ServerProva::Modo::Tronca);
        EXPECT_EQ(Fallisce(server.Indirizzo(), file).rfind("trasferimento interrotto prima della fine", 0),
                  0u);
    }
    {
        ServerProva server(200, "mai", ServerProva::Modo::Muto);
        ControlloScaricamento breve;
        breve.SecondiTotali = 1;
        EXPECT_EQ(Fallisce(server.Indirizzo(), file, breve).rfind("il server non ha risposto in tempo", 0),
                  0u);
    }
    {
        ServerProva server(200, "mai", ServerProva::Modo::Muto);
        std::atomic<bool> stop{true};
        ControlloScaricamento fermo;
        fermo.Interrompi = &stop;
        EXPECT_EQ(Fallisce(server.Indirizzo(), file, fermo).rfind("trasferimento annullato", 0), 0u);
    }
    EXPECT_THROW(Scarica("file:///etc/passwd"), ErroreScaricamento); // only network protocols
}

#ifndef _WIN32
// An FTP server of Debian's Python started on 127.0.0.1 for the length of the test.
TEST(Scaricamento, FileDaUnServerFtp) {
    if (access("/usr/bin/python3", X_OK) != 0) GTEST_SKIP() << "python3-pyftpdlib non installato";
    CartellaTemporanea remota, locale;
    std::ofstream(remota / "Estr_agg.txt", std::ios::binary) << "estrazioni via ftp\r\n";
    const std::string porta = ServerProva::IndirizzoChiuso().substr(17, 5);
    const std::string numero = porta.substr(0, porta.find('/'));
    const pid_t pid = fork();
    if (pid == 0) {
        execl("/usr/bin/python3", "python3", "-m", "pyftpdlib", "-i", "127.0.0.1", "-p", numero.c_str(), "-d",
              remota.Percorso().c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(pid, 0);
    // Ready when it accepts a listing.
    bool pronto = false;
    for (int i = 0; i < 100 && !pronto; ++i) {
        try {
            Scarica("ftp://127.0.0.1:" + numero + "/");
            pronto = true;
        } catch (const ErroreScaricamento&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    }
    if (pronto) {
        ScaricaFtp("ftp://127.0.0.1:" + numero + "/", "Estr_agg.txt", locale / "pippo.txt");
        EXPECT_EQ(Leggi(locale / "pippo.txt"), "estrazioni via ftp\r\n");
        EXPECT_THROW(ScaricaFtp("ftp://127.0.0.1:" + numero + "/", "manca.txt", locale / "pippo.txt"),
                     ErroreScaricamento);
        EXPECT_EQ(Leggi(locale / "pippo.txt"), "estrazioni via ftp\r\n");
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(pronto) << "il server FTP non è partito";
}
#endif

// A body past the limit is refused whether the server announces its length or not,
// in words about the limit (not libcurl's "Failed writing received data to disk").
TEST(Scaricamento, LimiteDiDimensione) {
    CartellaTemporanea c;
    const auto file = c / "Estr_Agg.txt";
    std::ofstream(file, std::ios::binary) << "vecchio";
    ControlloScaricamento piccolo;
    piccolo.MassimoByte = 4096;
    for (auto modo : {ServerProva::Modo::Risponde, ServerProva::Modo::SenzaLunghezza}) {
        ServerProva troppo(200, std::string(5000, 'x'), modo);
        EXPECT_EQ(Fallisce(troppo.Indirizzo(), file, piccolo),
                  "il file supera il limite di 4 KB per un file di aggiornamento");
        ServerProva giusto(200, std::string(4096, 'x'), modo);
        EXPECT_EQ(Scarica(giusto.Indirizzo(), piccolo), std::string(4096, 'x'));
    }
    // The limit by default: 16 MB.
    ServerProva grande(200, std::string((16u << 20) + 1, 'x'), ServerProva::Modo::SenzaLunghezza);
    EXPECT_EQ(Fallisce(grande.Indirizzo(), file),
              "il file supera il limite di 16 MB per un file di aggiornamento");
}

// Addresses and answers the transfer refuses, each in an Italian sentence.
TEST(Scaricamento, IndirizziERisposteRifiutati) {
    CartellaTemporanea c;
    const auto file = c / "Estr_Agg.txt";
    std::ofstream(file, std::ios::binary) << "vecchio";
    const std::string protocollo =
        "protocollo non ammesso: l'indirizzo deve iniziare con http://, https://, ftp:// o ftps://";
    EXPECT_EQ(Fallisce("file:///etc/passwd", file), protocollo);
    EXPECT_EQ(Fallisce("gopher://127.0.0.1/x", file), protocollo);
    EXPECT_EQ(Fallisce("scp://127.0.0.1/x", file), protocollo);
    for (const char* cattivo : {"http://", "http://[::1", "http://a b/"})
        EXPECT_EQ(Fallisce(cattivo, file), "indirizzo non valido") << cattivo;
    ServerProva antico(200, "07/01/1939 58-22-47-49-69\r\n", ServerProva::Modo::Grezzo);
    EXPECT_EQ(Fallisce(antico.Indirizzo(), file),
              "il server ha risposto senza intestazioni HTTP (HTTP/0.9): risposta rifiutata");
    // Where the file cannot go: a folder, a folder that does not exist. No temporary file stays.
    ServerProva server(200, "corpo");
    std::filesystem::create_directories(c / "cartella");
    EXPECT_THROW(ScaricaInFile(server.Indirizzo(), c / "cartella", {}), ErroreScaricamento);
    try {
        ScaricaInFile(server.Indirizzo(), c / "cartella", {});
    } catch (const ErroreScaricamento& e) {
        EXPECT_EQ(std::string(e.what()),
                  "impossibile scrivere " + c / "cartella" + ": è una cartella, non un file");
    }
    try {
        ScaricaInFile(server.Indirizzo(), c / "manca/Estr_Agg.txt", {});
        ADD_FAILURE() << "scritto in una cartella che non c'è";
    } catch (const ErroreScaricamento& e) {
        EXPECT_EQ(std::string(e.what()),
                  "impossibile scrivere " + c / "manca/Estr_Agg.txt" + ": file o cartella inesistente");
    }
    std::vector<std::string> presenti;
    for (const auto& voce : std::filesystem::directory_iterator(c.Percorso()))
        presenti.push_back(voce.path().filename().string());
    std::sort(presenti.begin(), presenti.end());
    EXPECT_EQ(presenti, (std::vector<std::string>{"Estr_Agg.txt", "cartella"}));
    EXPECT_TRUE(std::filesystem::is_empty(c / "cartella"));
}

namespace {

/// The words of the libraries' texts that an Italian sentence never holds.
const std::set<std::string>& ParoleInglesi() {
    static const std::set<std::string> parole = {
        "error",      "errors",    "failed",      "failure",      "fail",        "not",        "the",
        "could",      "couldn",    "unable",      "invalid",      "unsupported", "timeout",    "timed",
        "returned",   "received",  "writing",     "disk",         "connect",     "resolve",    "host",
        "reply",      "weird",     "denied",      "access",       "found",       "such",       "directory",
        "permission", "read",      "write",       "archive",      "is",          "of",         "to",
        "and",        "or",        "with",        "without",      "too",         "many",       "out",
        "memory",     "empty",     "internal",    "inconsistent", "premature",   "end",        "wrong",
        "operation",  "cancelled", "supported",   "compression",  "method",      "encryption", "seek",
        "tell",       "resource",  "still",       "use",          "entry",       "changed",    "deleted",
        "closed",     "renaming",  "temporary",   "creating",     "malloc",      "provided",   "argument",
        "bad",        "illegal",   "format",      "missing",      "unknown",     "an",         "when",
        "allowed",    "peer",      "certificate", "problem",      "library",     "function",   "option",
        "syntax",     "nothing",   "got",         "send",         "receiving",   "sending",    "remote",
        "local",      "login"};
    return parole;
}

/// The words of a message outside the brackets, where the library's own text may stand.
std::vector<std::string> ParoleFuoriParentesi(const std::string& messaggio) {
    std::vector<std::string> parole;
    std::string parola;
    int profondita = 0;
    for (const char ch : messaggio + " ") {
        if (ch == '(') ++profondita;
        if (ch == ')' && profondita > 0) --profondita;
        const bool lettera = std::isalpha(static_cast<unsigned char>(ch)) || (ch & 0x80);
        if (profondita == 0 && lettera) {
            parola += static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        } else if (!parola.empty()) {
            parole.push_back(parola);
            parola.clear();
        }
    }
    return parole;
}

/// `messaggio` is Italian outside its brackets, and the library's `originale` stands, if at all,
/// only inside them.
void Italiano(const std::string& messaggio, const std::string& originale, const std::string& dove) {
    EXPECT_FALSE(messaggio.empty()) << dove;
    for (const auto& parola : ParoleFuoriParentesi(messaggio))
        EXPECT_EQ(ParoleInglesi().count(parola), 0u) << dove << ": \"" << parola << "\" in " << messaggio;
    const auto dove_ = messaggio.find(originale);
    if (!originale.empty() && dove_ != std::string::npos) {
        EXPECT_NE(messaggio.rfind('(', dove_), std::string::npos) << dove << ": " << messaggio;
    }
    EXPECT_EQ(messaggio.find('\n'), std::string::npos) << dove;
}

} // namespace

// The table of messages. Every result code of libcurl and libzip, and every errno,
// gets an Italian sentence; the library's text never comes alone or first.
TEST(Messaggi, TabellaDeiMessaggi) {
    for (int codice = 1; codice < CURL_LAST; ++codice) {
        const std::string originale = curl_easy_strerror(static_cast<CURLcode>(codice));
        Italiano(CausaTrasferimento(codice, originale), originale, "curl " + std::to_string(codice));
        Italiano(CausaTrasferimento(codice, "dettaglio"), originale, "curl " + std::to_string(codice));
    }
    // The two texts libcurl gives the same code.
    EXPECT_EQ(CausaTrasferimento(CURLE_UNSUPPORTED_PROTOCOL, "Protocol \"gopher\" not supported"),
              "protocollo non ammesso: l'indirizzo deve iniziare con http://, https://, ftp:// o ftps://");
    EXPECT_EQ(CausaTrasferimento(CURLE_UNSUPPORTED_PROTOCOL, "Received HTTP/0.9 when not allowed"),
              "il server ha risposto senza intestazioni HTTP (HTTP/0.9): risposta rifiutata");
    EXPECT_EQ(CausaTrasferimento(CURLE_WRITE_ERROR, "Failed writing received data to disk/application", true),
              "il file supera il limite di 16 MB per un file di aggiornamento");
    EXPECT_EQ(CausaTrasferimento(CURLE_WRITE_ERROR, "Failed writing received data to disk/application"),
              "impossibile conservare i dati ricevuti");
    EXPECT_EQ(CausaTrasferimento(CURLE_FILESIZE_EXCEEDED, "", false, 4096),
              "il file supera il limite di 4 KB per un file di aggiornamento");
    EXPECT_EQ(CausaTrasferimento(CURLE_URL_MALFORMAT, "URL using bad/illegal format or missing URL"),
              "indirizzo non valido");
    for (int codice = 0; codice <= ZIP_ER_CANCELLED; ++codice) {
        zip_error_t e;
        zip_error_init_with_code(&e, codice);
        const std::string originale = zip_error_strerror(&e);
        zip_error_fini(&e);
        Italiano(CausaZip(codice), originale, "zip " + std::to_string(codice));
        Italiano(CausaZip(codice, EIO), originale, "zip " + std::to_string(codice) + " EIO");
    }
    EXPECT_EQ(CausaZip(ZIP_ER_NOZIP),
              "il file non è un archivio ZIP, o ne è solo una parte (manca il suo indice)");
    EXPECT_EQ(CausaZip(ZIP_ER_CRC),
              "i dati non corrispondono al loro codice di controllo (CRC): archivio ZIP danneggiato");
    EXPECT_EQ(CausaZip(ZIP_ER_READ, EISDIR), "errore di lettura: è una cartella, non un file");
    for (int n = 0; n < 134; ++n)
        Italiano(CausaSistema(n), std::strerror(n), "errno " + std::to_string(n));
    EXPECT_EQ(CausaSistema(EISDIR), "è una cartella, non un file");
    EXPECT_EQ(CausaSistema(std::make_error_code(std::errc::no_such_file_or_directory)),
              "file o cartella inesistente");
    EXPECT_EQ(CausaSistema(std::make_error_code(std::errc::cross_device_link)),
              "il file provvisorio e la destinazione sono su dischi diversi");
    // What the file system really reports, in whichever numbering the platform uses.
    std::error_code ec;
    std::filesystem::copy_file("non-esiste-affatto.mdb", "copia-mai-fatta.mdb", ec);
    EXPECT_EQ(CausaSistema(ec), "file o cartella inesistente") << ec.message();
#ifdef _WIN32
    // Windows' own codes (not errno values: 5 would be EIO, 112 is nothing).
    EXPECT_EQ(CausaSistema(std::error_code(5, std::system_category())), "permesso negato");
    EXPECT_EQ(CausaSistema(std::error_code(112, std::system_category())), "disco pieno");
    EXPECT_EQ(CausaSistema(std::error_code(3, std::system_category())), "file o cartella inesistente");
#endif
}
