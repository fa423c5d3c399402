// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the program says about itself: its version (the build's project version, the one number
// the package, the About window and `trivalto-cli --version` show), its licence, the libraries it
// runs on with theirs, and where the bundled draws come from.
#include <string>
#include <vector>

namespace trivalto {

/// "major.minor.revision".
std::string VersioneProgramma();

/// SPDX name of the program's licence.
inline constexpr const char* LicenzaProgramma = "GPL-3.0-or-later";
/// The licence notice, one paragraph in Italian.
std::string AvvisoLicenza();
/// Where the draws of the bundled archive and of the updates come from.
std::string ProvenienzaDati();

struct Libreria {
    std::string Nome, Versione, Licenza; // Licenza as an SPDX expression
};
/// The libraries linked into the core, with the versions found at run time.
std::vector<Libreria> LibrerieUsate();

} // namespace trivalto
