// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Qt's own dialogs (file, print, colour, standard buttons) in Italian, like every text of the program.

class QCoreApplication;

namespace trivalto {

/// Italian as the default locale and Qt's Italian translations installed; false when the translation
/// files are missing (the dialogs then stay in English, nothing else changes).
bool CaricaTraduzioniItaliane(QCoreApplication& app);

} // namespace trivalto
