// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small reader of "--name value" and "--flag" arguments.
#include <optional>
#include <string>
#include <vector>

namespace trivalto::cli {

class Opzioni {
public:
    explicit Opzioni(std::vector<std::string> argomenti)
        : argomenti_(std::move(argomenti)), usati_(argomenti_.size()) {}

    /// Takes "--nome VALORE"; false when missing, without a value, with an empty value or given twice
    /// (`Errore` says which). `obbligatoria` false: absent is fine.
    bool Valore(const std::string& nome, std::string& valore, bool obbligatoria = true);
    bool Interruttore(const std::string& nome);
    bool Posizionale(std::string& valore);
    /// True when every argument was taken; otherwise `Sconosciuta()` names the first one left.
    bool Finite() const;
    std::string Sconosciuta() const;
    std::string Errore; // set when an option lacks its value, has an empty one or is repeated

private:
    bool Ripetuta(const std::string& nome, size_t dopo);
    std::vector<std::string> argomenti_;
    std::vector<bool> usati_;
};

} // namespace trivalto::cli
