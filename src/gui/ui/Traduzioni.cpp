// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/Traduzioni.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace trivalto {

bool CaricaTraduzioniItaliane(QCoreApplication& app) {
    const QLocale italiano(QLocale::Italian, QLocale::Italy);
    QLocale::setDefault(italiano);
    auto* traduttore = new QTranslator(&app);
    if (!traduttore->load(italiano, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete traduttore;
        return false;
    }
    QCoreApplication::installTranslator(traduttore);
    return true;
}

} // namespace trivalto
