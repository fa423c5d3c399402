// SPDX-License-Identifier: GPL-3.0-or-later
// trivalto-icone FOLDER: writes FOLDER/hicolor/scalable/apps/trivalto.svg and the PNG sizes a desktop
// menu asks for, all from the program's own icon drawing.
#include <QDir>
#include <QFile>
#include <cstdio>

#include "gui/ui/Icone.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Uso: trivalto-icone CARTELLA\n");
        return 2;
    }
    const QDir radice(QString::fromLocal8Bit(argv[1]));
    const QString svg = radice.filePath(QStringLiteral("hicolor/scalable/apps"));
    QDir().mkpath(svg);
    QFile file(QDir(svg).filePath(QStringLiteral("trivalto.svg")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(trivalto::SvgIconaProgramma()) < 0)
        return 1;
    for (int lato : {16, 24, 32, 48, 64, 128, 256, 512}) {
        const QString cartella = radice.filePath(QStringLiteral("hicolor/%1x%1/apps").arg(lato));
        QDir().mkpath(cartella);
        if (!trivalto::ImmagineIconaProgramma(lato).save(
                QDir(cartella).filePath(QStringLiteral("trivalto.png"))))
            return 1;
    }
    return 0;
}
