// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The folders of this run, chosen before any window opens.
#include <QFont>
#include <QString>

#include "core/shell/CartelleProgramma.h"

namespace trivalto {

/// The program's folders for an executable in `cartellaEseguibile`, with the user's data folder
/// from QStandardPaths (PreparaCartellaUtente then fills it on the first start).
CartelleProgramma CartelleAvvio(const QString& cartellaEseguibile);

/// Where the help pages are: beside the executable in a build tree, in the shared data folder once
/// installed.
QString CartellaHelp(const CartelleProgramma& cartelle);

/// The family to show the windows in when the system's own font (`sistema`) is not installed, as
/// under Wine without Windows' fonts, where the fallback would be the first family in alphabetical
/// order, often a serif one: the first sans-serif family that is there. Empty when `sistema` is
/// there or none of them is.
QString CarattereSostitutivo(const QFont& sistema);

} // namespace trivalto
