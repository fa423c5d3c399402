// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Failures of the operating system in the user's language. The system's own text never reaches the
// user alone: an unlisted failure is named in Italian and its text follows in brackets.
#include <string>
#include <system_error>

namespace trivalto {

/// An errno value as an Italian cause ("è una cartella", "permesso negato", "disco pieno", ...).
std::string CausaSistema(int numeroErrore);
/// The same for an error code of the standard library (files and folders).
std::string CausaSistema(const std::error_code& codice);

} // namespace trivalto
