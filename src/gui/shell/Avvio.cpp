// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Avvio.h"

#include <QDir>
#include <QFontInfo>
#include <QStandardPaths>

namespace trivalto {

CartelleProgramma CartelleAvvio(const QString& cartellaEseguibile) {
    const QString utente = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return TrovaCartelle(cartellaEseguibile.toStdString(), utente.toStdString());
}

QString CartellaHelp(const CartelleProgramma& cartelle) {
    return QDir(QString::fromStdString(cartelle.Condivisa)).filePath(QStringLiteral("help"));
}

namespace {
bool Presente(const QFont& f) {
    return QFontInfo(f).family().compare(f.family(), Qt::CaseInsensitive) == 0;
}
} // namespace

QString CarattereSostitutivo(const QFont& sistema) {
    if (Presente(sistema)) return {};
    for (const char* nome : {"Segoe UI", "Tahoma", "Arial", "Liberation Sans", "DejaVu Sans", "Noto Sans"}) {
        QFont prova(sistema);
        prova.setFamily(QString::fromLatin1(nome));
        if (Presente(prova)) return prova.family();
    }
    return {};
}

} // namespace trivalto
