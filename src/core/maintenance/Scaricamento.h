#pragma once
// Transfers of update files over HTTP(S) and FTP. Bounded in time (connection 15 s, whole transfer
// limited), redirects followed up to a limit, HTTPS verified. A file on disk is replaced only when
// its transfer completed: a failed or stopped transfer leaves the previous file untouched.
#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>

namespace trivalto {

class ErroreScaricamento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ControlloScaricamento {
    const std::atomic<bool>* Interrompi = nullptr; // polled; a stop fails the transfer
    std::function<void(long long ricevuti, long long totali)> Progresso;
    long SecondiConnessione = 15;
    long SecondiTotali = 300;
};

/// The whole body of `indirizzo`; throws ErroreScaricamento with an Italian cause.
std::string Scarica(const std::string& indirizzo, const ControlloScaricamento& controllo = {});

/// The body of `indirizzo` written to `destinazione`, through a temporary file renamed into place.
void ScaricaInFile(const std::string& indirizzo, const std::string& destinazione,
                   const ControlloScaricamento& controllo = {});

/// The file `remoto` of an FTP folder address into `destinazione`, the same way.
void ScaricaFtp(const std::string& cartellaFtp, const std::string& remoto, const std::string& destinazione,
                const ControlloScaricamento& controllo = {});

} // namespace trivalto
