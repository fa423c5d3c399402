// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The default analysis settings: the row "Standard" of table Impostazioni in the program database.
// Integer fields hold list positions (cases - 1, first colpo - 1, colpi - 1), Elenco its text, the
// positions and play wheels one "0"/"1" character each.
#include <array>
#include <optional>
#include <string>

#include "core/analysis/Parametro.h"
#include "core/archive/DatabaseProgramma.h"

namespace trivalto {

struct ImpostazioniStandard {
    int Numcasi = 11;
    bool Somma = true, Distanza = false, Differenza = false;
    std::string Posizioni = "11111";
    int RuotaOrigine = 0, Trasformazione = 0, Fisso = 0, Dacolpo = 0, Colpi = 7;
    std::string Elenco = "50";
    std::string RuoteGioco = "10000000000";
    bool UsaAllApertura = false; // the analysis window opens with these values
    bool operator==(const ImpostazioniStandard&) const = default;
};

/// The stored row, nothing when it is missing. A field that is empty or outside its list's range
/// keeps the value a new database has, so the window never shows or saves a position that does not exist.
std::optional<ImpostazioniStandard> LeggiImpostazioni(DatabaseProgramma& db);
/// Rewrites the existing row; false when there is none (no row is created).
bool ScriviImpostazioni(DatabaseProgramma& db, const ImpostazioniStandard& s);

/// Position p (0..4) is on unless character p+1 reads 0 or is missing.
PosizioniAbilitate PosizioniDaTesto(const std::string& testo);
/// Wheel w is played unless character w+1 is "0"; a missing character plays it.
std::array<bool, 11> RuoteDaTesto(const std::string& testo);
std::string TestoDaPosizioni(const PosizioniAbilitate& posizioni);
std::string TestoDaRuote(const std::array<bool, 11>& ruote);

} // namespace trivalto
