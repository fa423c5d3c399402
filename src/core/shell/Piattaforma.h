// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the operating system answers in its own way: the form of a path, the kind of a file and an
// exclusive lock between processes. Every call that differs between POSIX and Windows lives behind
// this file.
#include <filesystem>
#include <string>

#include "core/archive/Vocabolario.h"

namespace trivalto {

/// Paths travel through the core and the CLI as UTF-8 text on every system. These two are the only
/// ways between that text and the system's own form: a std::filesystem::path built straight from a
/// std::string reads it in the ANSI code page on Windows, which loses "Città". Text that is not
/// UTF-8 there (a path an older program stored) is read in the ANSI code page.
std::filesystem::path PercorsoDaTesto(const std::string& utf8);
std::string TestoDaPercorso(const std::filesystem::path& percorso);
/// `testo` written as the system writes paths, to be shown or stored: backslashes on Windows
/// (`C:/Dati/a.mdb` becomes `C:\Dati\a.mdb`), unchanged elsewhere.
std::string PercorsoDiSistema(const std::string& testo);

enum class TipoFile { Assente, Regolare, Cartella, Collegamento, Fifo, Dispositivo, Altro };

/// The kind of `percorso` itself: a symbolic link is reported as such, not followed.
TipoFile TipoDi(const std::string& percorso);
inline bool FileRegolare(const std::string& percorso) {
    return TipoDi(percorso) == TipoFile::Regolare;
}
/// Where a chain of symbolic links starting at `percorso` ends (`percorso` itself when it is no link),
/// whether that file exists or not; empty when the chain goes round or cannot be read.
std::string FineCollegamenti(const std::string& percorso);
/// "una FIFO", "un dispositivo", ...: for messages that say why a file was not used.
const char* DescriviTipo(TipoFile tipo);

/// The machine's local date and time, `secondiDopo` seconds from now: the one place the core reads
/// the clock, so every "today" (stamps, plausible dates, missing-draw estimates) agrees.
struct DataOra {
    Data data;
    int ore = 0, minuti = 0, secondi = 0;
};
DataOra Adesso(long long secondiDopo = 0);
inline Data Oggi(int giorniDopo = 0) {
    return Adesso(giorniDopo * 24LL * 3600).data;
}

/// An exclusive lock between processes on the file `percorso`, created when missing and removed when
/// the lock is released, taken at most once without waiting. A lock left by a killed process is
/// released by the system, so its file, if left, never blocks.
class BloccoEsclusivo {
public:
    enum class Esito {
        Preso,
        Occupato,      // another process holds it
        NonDisponibile // the lock file cannot be made (a folder that cannot be written)
    };
    explicit BloccoEsclusivo(std::string percorso);
    ~BloccoEsclusivo();
    BloccoEsclusivo(const BloccoEsclusivo&) = delete;
    BloccoEsclusivo& operator=(const BloccoEsclusivo&) = delete;

    Esito Stato() const { return esito_; }
    bool Preso() const { return esito_ == Esito::Preso; }

private:
    std::string percorso_;
    Esito esito_ = Esito::NonDisponibile;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
};

} // namespace trivalto
