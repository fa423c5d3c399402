// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Opzioni.h"

namespace trivalto::cli {

bool Opzioni::Ripetuta(const std::string& nome, size_t dopo) {
    for (size_t j = dopo; j < argomenti_.size(); ++j)
        if (!usati_[j] && argomenti_[j] == nome) {
            Errore = "opzione ripetuta: " + nome;
            return true;
        }
    return false;
}

bool Opzioni::Valore(const std::string& nome, std::string& valore, bool obbligatoria) {
    for (size_t i = 0; i < argomenti_.size(); ++i) {
        if (usati_[i] || argomenti_[i] != nome) continue;
        usati_[i] = true;
        if (i + 1 >= argomenti_.size()) {
            Errore = "manca il valore di " + nome;
            return false;
        }
        usati_[i + 1] = true;
        // An empty value is a mistake, not an option left out: "--ruote-gioco ''" must not mean no wheel.
        if (argomenti_[i + 1].empty()) {
            Errore = "valore vuoto per " + nome;
            return false;
        }
        if (Ripetuta(nome, i + 2)) return false;
        valore = argomenti_[i + 1];
        return true;
    }
    return !obbligatoria;
}

bool Opzioni::Interruttore(const std::string& nome) {
    for (size_t i = 0; i < argomenti_.size(); ++i)
        if (!usati_[i] && argomenti_[i] == nome) {
            usati_[i] = true;
            Ripetuta(nome, i + 1);
            return true;
        }
    return false;
}

bool Opzioni::Posizionale(std::string& valore) {
    for (size_t i = 0; i < argomenti_.size(); ++i)
        if (!usati_[i] && argomenti_[i].rfind("--", 0) != 0) {
            usati_[i] = true;
            valore = argomenti_[i];
            return true;
        }
    return false;
}

bool Opzioni::Finite() const {
    for (bool u : usati_)
        if (!u) return false;
    return true;
}

std::string Opzioni::Sconosciuta() const {
    for (size_t i = 0; i < argomenti_.size(); ++i)
        if (!usati_[i]) return argomenti_[i];
    return {};
}

} // namespace trivalto::cli
