// Transfers against servers the test starts on 127.0.0.1: a whole body, a redirect, and every way a
// transfer fails, each leaving the previous downloaded file as it was.
#include <gtest/gtest.h>

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "ServerProva.h"
#include "Supporto.h"
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
