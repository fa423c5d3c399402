#include <filesystem>
#include <iostream>

#include "cli/Comandi.h"

int main(int argc, char** argv) {
    std::vector<std::string> argomenti(argv + 1, argv + argc);
    trivalto::cli::Ambiente ambiente;
    std::error_code ec;
    const auto eseguibile = std::filesystem::read_symlink("/proc/self/exe", ec);
    ambiente.CartellaProgramma =
        ec ? std::filesystem::current_path().string() : eseguibile.parent_path().string();
    return trivalto::cli::Principale(argomenti, ambiente, std::cout, std::cerr);
}
