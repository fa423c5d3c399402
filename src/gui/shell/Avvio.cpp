// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/shell/Avvio.h"

#include <QDir>
#include <QStandardPaths>

namespace trivalto {

CartelleProgramma CartelleAvvio(const QString& cartellaEseguibile) {
    const QString utente = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return TrovaCartelle(cartellaEseguibile.toStdString(), utente.toStdString());
}

QString CartellaHelp(const CartelleProgramma& cartelle) {
    return QDir(QString::fromStdString(cartelle.Condivisa)).filePath(QStringLiteral("help"));
}

} // namespace trivalto
