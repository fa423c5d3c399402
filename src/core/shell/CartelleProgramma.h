// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program keeps what it writes. A copy run from its build folder uses that folder, as the
// build prepares it. An installed copy (its shared data in <prefix>/share/trivalto beside
// <prefix>/bin) never writes there: everything it writes lives in the user's own data folder,
// which a reinstall or an upgrade of the package never touches.
#include <string>

namespace trivalto {

struct CartelleProgramma {
    std::string Programma; // program database, "PercorsoDatabase.txt", "Estr_Agg.txt": written
    std::string Condivisa; // help pages and the bundled archive: only read
    bool Installato = false;
};

/// The folders of a program whose executable lies in `cartellaEseguibile`. `cartellaUtente` is the
/// user's data folder (Qt's AppDataLocation for the windows, CartellaDatiUtente() for the CLI); a
/// build-tree copy uses it only when its own folder cannot be written.
CartelleProgramma TrovaCartelle(const std::string& cartellaEseguibile, const std::string& cartellaUtente);

/// The user's data folder as Qt names it for this program: on Linux $XDG_DATA_HOME (when absolute)
/// or ~/.local/share, on Windows %APPDATA%, then "Trivalto/Trivalto". For the CLI, which has no Qt.
std::string CartellaDatiUtente();

/// First start. In the user's data folder: creates it, copies the bundled archive into it and creates
/// the program database pointing at that copy. In the program's own folder (a portable copy): creates
/// the program database pointing at the archive beside the program. Does nothing when the program
/// database is there already. Throws on failure, leaving no half-written file behind: the next start
/// tries again.
void PreparaCartellaUtente(const CartelleProgramma& cartelle);

} // namespace trivalto
