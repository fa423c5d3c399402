// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/Piattaforma.h"

#include <ctime>
#include <filesystem>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace trivalto {

#ifdef _WIN32
namespace {
std::wstring Largo(const std::string& testo, UINT codifica, DWORD modo) {
    if (testo.empty()) return {};
    const int n =
        MultiByteToWideChar(codifica, modo, testo.data(), static_cast<int>(testo.size()), nullptr, 0);
    if (n <= 0) return {};
    std::wstring largo(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codifica, modo, testo.data(), static_cast<int>(testo.size()), largo.data(), n);
    return largo;
}
} // namespace

std::filesystem::path PercorsoDaTesto(const std::string& utf8) {
    if (utf8.empty()) return {};
    auto largo = Largo(utf8, CP_UTF8, MB_ERR_INVALID_CHARS);
    if (largo.empty()) largo = Largo(utf8, CP_ACP, 0);
    return std::filesystem::path(std::move(largo));
}

std::string TestoDaPercorso(const std::filesystem::path& percorso) {
    const std::wstring& largo = percorso.native();
    if (largo.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, largo.data(), static_cast<int>(largo.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string testo(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, largo.data(), static_cast<int>(largo.size()), testo.data(), n,
                            nullptr, nullptr);
    return testo;
}
#else
std::filesystem::path PercorsoDaTesto(const std::string& utf8) {
    return std::filesystem::path(utf8);
}

std::string TestoDaPercorso(const std::filesystem::path& percorso) {
    return percorso.native();
}
#endif

std::string PercorsoDiSistema(const std::string& testo) {
    return TestoDaPercorso(PercorsoDaTesto(testo).make_preferred());
}

DataOra Adesso(long long secondiDopo) {
    const std::time_t t = std::time(nullptr) + static_cast<std::time_t>(secondiDopo);
    std::tm tm{};
#ifdef _WIN32
    localtime_s(&tm, &t);
#else
    localtime_r(&t, &tm);
#endif
    return {{tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900}, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::string FineCollegamenti(const std::string& percorso) {
    namespace fs = std::filesystem;
    fs::path p = PercorsoDaTesto(percorso);
    for (int salti = 0; salti < 40; ++salti) {
        if (TipoDi(TestoDaPercorso(p)) != TipoFile::Collegamento) return TestoDaPercorso(p);
        std::error_code ec;
        const auto bersaglio = fs::read_symlink(p, ec);
        if (ec) return {};
        p = bersaglio.is_absolute() ? bersaglio : p.parent_path() / bersaglio;
    }
    return {};
}

const char* DescriviTipo(TipoFile tipo) {
    switch (tipo) {
    case TipoFile::Assente:
        return "un file che non esiste";
    case TipoFile::Regolare:
        return "un file";
    case TipoFile::Cartella:
        return "una cartella";
    case TipoFile::Collegamento:
        return "un collegamento simbolico";
    case TipoFile::Fifo:
        return "una FIFO";
    case TipoFile::Dispositivo:
        return "un dispositivo";
    case TipoFile::Altro:
        break;
    }
    return "un file speciale";
}

#ifdef _WIN32

TipoFile TipoDi(const std::string& percorso) {
    namespace fs = std::filesystem;
    std::error_code ec;
    switch (fs::symlink_status(PercorsoDaTesto(percorso), ec).type()) {
    case fs::file_type::regular:
        return TipoFile::Regolare;
    case fs::file_type::directory:
        return TipoFile::Cartella;
    case fs::file_type::symlink:
        return TipoFile::Collegamento;
    case fs::file_type::fifo:
        return TipoFile::Fifo;
    case fs::file_type::block:
    case fs::file_type::character:
        return TipoFile::Dispositivo;
    case fs::file_type::none:
    case fs::file_type::not_found:
        return TipoFile::Assente;
    default:
        return TipoFile::Altro;
    }
}

BloccoEsclusivo::BloccoEsclusivo(std::string percorso) : percorso_(std::move(percorso)) {
    // No sharing at all, and the file goes with the last handle: the system does both halves.
    HANDLE h = CreateFileW(PercorsoDaTesto(percorso_).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        esito_ = GetLastError() == ERROR_SHARING_VIOLATION ? Esito::Occupato : Esito::NonDisponibile;
        return;
    }
    handle_ = h;
    esito_ = Esito::Preso;
}

BloccoEsclusivo::~BloccoEsclusivo() {
    if (handle_) CloseHandle(static_cast<HANDLE>(handle_));
}

#else

TipoFile TipoDi(const std::string& percorso) {
    struct stat st {};
    // Any other failure (a folder that cannot be searched) is left to the open that follows to report.
    if (::lstat(percorso.c_str(), &st) != 0) return TipoFile::Assente;
    if (S_ISREG(st.st_mode)) return TipoFile::Regolare;
    if (S_ISDIR(st.st_mode)) return TipoFile::Cartella;
    if (S_ISLNK(st.st_mode)) return TipoFile::Collegamento;
    if (S_ISFIFO(st.st_mode)) return TipoFile::Fifo;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode)) return TipoFile::Dispositivo;
    return TipoFile::Altro;
}

BloccoEsclusivo::BloccoEsclusivo(std::string percorso) : percorso_(std::move(percorso)) {
    // The holder removes the file before it unlocks, so a lock taken on a file that has lost its name
    // protects nothing: try again on the file the name leads to now.
    for (int tentativo = 0; tentativo < 8; ++tentativo) {
        const int fd = ::open(percorso_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            esito_ = Esito::NonDisponibile;
            return;
        }
        if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int errore = errno;
            ::close(fd);
            esito_ = errore == EWOULDBLOCK ? Esito::Occupato : Esito::NonDisponibile;
            return;
        }
        struct stat aperto {
        }, nome{};
        if (::fstat(fd, &aperto) == 0 && ::lstat(percorso_.c_str(), &nome) == 0 &&
            aperto.st_dev == nome.st_dev && aperto.st_ino == nome.st_ino) {
            fd_ = fd;
            esito_ = Esito::Preso;
            return;
        }
        ::close(fd);
    }
    esito_ = Esito::Occupato;
}

BloccoEsclusivo::~BloccoEsclusivo() {
    if (fd_ < 0) return;
    ::unlink(percorso_.c_str());
    ::close(fd_);
}

#endif

} // namespace trivalto
