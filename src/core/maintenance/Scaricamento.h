// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Transfers of update files over HTTP(S) and FTP. Bounded in time (connection 15 s, whole transfer
// 300 s) and in size (MassimoScaricamento), redirects followed up to a limit, HTTPS verified. A file
// on disk is replaced only when its transfer completed: a failed or stopped transfer leaves the
// previous file untouched. Every failure is told in Italian; libcurl's own text, when it helps,
// only follows in brackets.
#include <atomic>
#include <functional>
#include <stdexcept>
#include <string>

namespace trivalto {

class ErroreScaricamento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The most an update file may weigh, downloaded, read from disk or expanded from a ZIP. A file of
/// all the 9,999 draws an archive may hold takes under 4 MB in either layout.
inline constexpr long long MassimoScaricamento = 16LL * 1024 * 1024;

struct ControlloScaricamento {
    const std::atomic<bool>* Interrompi = nullptr; // polled; a stop fails the transfer
    std::function<void(long long ricevuti, long long totali)> Progresso;
    long SecondiConnessione = 15;
    long SecondiTotali = 300;
    long long MassimoByte = MassimoScaricamento; // a longer body fails the transfer
};

/// "il file supera il limite di 16 MB per un file di aggiornamento": the cause of a refusal for size.
std::string SuperaIlLimite(long long massimoByte = MassimoScaricamento);

/// The cause of a failed transfer from libcurl's result `codice` (a CURLcode) and its error text
/// `dettaglio`, in Italian. `limite` says the body passed the size limit `massimoByte`.
std::string CausaTrasferimento(int codice, const std::string& dettaglio, bool limite = false,
                               long long massimoByte = MassimoScaricamento);

/// The whole body of `indirizzo`; throws ErroreScaricamento with an Italian cause.
std::string Scarica(const std::string& indirizzo, const ControlloScaricamento& controllo = {});

/// The body of `indirizzo` written to `destinazione`, through a temporary file renamed into place.
void ScaricaInFile(const std::string& indirizzo, const std::string& destinazione,
                   const ControlloScaricamento& controllo = {});

/// The file `remoto` of an FTP folder address into `destinazione`, the same way.
void ScaricaFtp(const std::string& cartellaFtp, const std::string& remoto, const std::string& destinazione,
                const ControlloScaricamento& controllo = {});

} // namespace trivalto
