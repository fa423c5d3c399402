// SPDX-License-Identifier: GPL-3.0-or-later
#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <iostream>

#include "cli/Comandi.h"
#include "core/shell/CartelleProgramma.h"

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
} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    trivalto::cli::Ambiente ambiente;
    std::error_code ec;
    const auto eseguibile = Eseguibile(ec);
    const auto cartelle = trivalto::TrovaCartelle(ec ? std::filesystem::current_path().string()
                                                     : eseguibile.parent_path().string(),
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
