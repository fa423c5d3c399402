// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The command-line program run as a user runs it, in its own process: its exit status and what it
// wrote to stderr, or killed with SIGKILL after a given time. Archives are checked as the next run
// of the program would find them.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "Supporto.h"
#include "core/archive/DatabaseArchivio.h"

namespace trivalto::test {

struct EsitoProcesso {
    int Stato = -1;     // exit status, or -1 when killed
    std::string Errori; // stderr
    double Secondi = 0;
};

/// Runs trivalto-cli with `argomenti`. `uccidiDopo` > 0: SIGKILL after that many seconds if still
/// running. `prima` runs in the child before exec (limits, user change); `eseguibile` replaces the
/// built program (a copy another user can reach).
inline EsitoProcesso EseguiCli(const std::vector<std::string>& argomenti, double uccidiDopo = 0,
                               const std::function<void()>& prima = {},
                               const std::string& eseguibile = TRIVALTO_CLI) {
    CartellaTemporanea uscita;
    const auto fileErrori = uscita / "stderr";
    const auto inizio = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int nullo = open("/dev/null", O_WRONLY);
        const int err = open(fileErrori.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        dup2(nullo, 1);
        dup2(err, 2);
        if (prima) prima();
        std::vector<char*> argv{const_cast<char*>(eseguibile.c_str())};
        for (const auto& a : argomenti)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(eseguibile.c_str(), argv.data());
        _exit(127);
    }
    EsitoProcesso e;
    int stato = 0;
    if (uccidiDopo > 0) {
        const auto limite = inizio + std::chrono::duration<double>(uccidiDopo);
        while (waitpid(pid, &stato, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() >= limite) {
                kill(pid, SIGKILL);
                waitpid(pid, &stato, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
    } else {
        waitpid(pid, &stato, 0);
    }
    e.Secondi = std::chrono::duration<double>(std::chrono::steady_clock::now() - inizio).count();
    e.Stato = WIFEXITED(stato) ? WEXITSTATUS(stato) : -1;
    e.Errori = Leggi(fileErrori);
    return e;
}

/// "ok" when the archive's pages are sound, else SQLite's report (or the failure to open it).
inline std::string Integrita(const std::string& archivio) {
    try {
        Database db(archivio, PasswordDatabase(), Database::Modo::Apri);
        auto st = db.Prepara("PRAGMA integrity_check");
        std::string testo;
        while (st.Step())
            testo += st.Testo(0);
        return testo;
    } catch (const std::exception& e) {
        return e.what();
    }
}

/// The bundled real archive database that the build made, copied to `destinazione`.
inline void CopiaArchivioReale(const std::string& destinazione) {
    std::filesystem::copy_file(std::string(TRIVALTO_PROGRAM_DIR) + "/ArchivioLotto.mdb", destinazione,
                               std::filesystem::copy_options::overwrite_existing);
}

} // namespace trivalto::test
