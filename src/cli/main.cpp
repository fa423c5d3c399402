// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <iostream>

#include "cli/Comandi.h"
#include "core/shell/CartelleProgramma.h"

int main(int argc, char** argv) {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    trivalto::cli::Ambiente ambiente;
    std::error_code ec;
    const auto eseguibile = std::filesystem::read_symlink("/proc/self/exe", ec);
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
