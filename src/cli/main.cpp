// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Comandi.h"
#include "core/shell/CartelleProgramma.h"
#include "core/shell/Piattaforma.h"

namespace {
std::filesystem::path Eseguibile(std::error_code& ec) {
#ifdef _WIN32
    std::wstring nome(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, nome.data(), static_cast<DWORD>(nome.size()));
        if (n == 0) {
            ec = std::error_code(static_cast<int>(GetLastError()), std::system_category());
            return {};
        }
        if (n < nome.size()) return std::filesystem::path(nome.substr(0, n));
        nome.resize(nome.size() * 2);
    }
#else
    return std::filesystem::read_symlink("/proc/self/exe", ec);
#endif
}
/// The arguments as UTF-8. Windows hands `main` its arguments in the ANSI code page, which has no
/// room for every letter of a path: they are read again from the UTF-16 command line.
std::vector<std::string> Argomenti([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    int n = 0;
    if (LPWSTR* largo = CommandLineToArgvW(GetCommandLineW(), &n)) {
        std::vector<std::string> argomenti;
        for (int i = 1; i < n; ++i)
            argomenti.push_back(trivalto::TestoDaPercorso(std::filesystem::path(largo[i])));
        LocalFree(largo);
        return argomenti;
    }
#endif
    return std::vector<std::string>(argv + 1, argv + argc);
}

#ifdef _WIN32
/// The tables and messages are UTF-8 bytes, as on Linux; a console is told so for the run, and is
/// given back its own code page at the end.
class ConsoleUtf8 {
public:
    ConsoleUtf8() : prima_(GetConsoleOutputCP()) {
        if (prima_ != 0) SetConsoleOutputCP(CP_UTF8);
    }
    ~ConsoleUtf8() {
        if (prima_ != 0) SetConsoleOutputCP(prima_);
    }
    ConsoleUtf8(const ConsoleUtf8&) = delete;
    ConsoleUtf8& operator=(const ConsoleUtf8&) = delete;

private:
    UINT prima_;
};
#endif

} // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
    const ConsoleUtf8 console;
#endif
    const std::vector<std::string> argomenti = Argomenti(argc, argv);
    trivalto::cli::Ambiente ambiente;
    std::error_code ec;
    const auto eseguibile = Eseguibile(ec);
    const auto cartelle = trivalto::TrovaCartelle(
        trivalto::TestoDaPercorso(ec ? std::filesystem::current_path() : eseguibile.parent_path()),
        trivalto::CartellaDatiUtente());
    // An installed copy reads and writes the same user folder as the windows, filled on first use.
    // Commands that need no program database still run when it cannot be prepared.
    try {
        trivalto::PreparaCartellaUtente(cartelle);
    } catch (const std::exception& e) {
        std::cerr << "Impossibile preparare la cartella dei dati " << cartelle.Programma << ": " << e.what()
                  << "\n";
    }
    ambiente.CartellaProgramma = cartelle.Programma;
    return trivalto::cli::Principale(argomenti, ambiente, std::cout, std::cerr);
}
