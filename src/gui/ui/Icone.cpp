// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/Icone.h"

#include <QToolButton>

#include <QImage>
#include <QPainter>
#include <QPixmap>

#include "gui/ui/ModelloGriglia.h"

namespace trivalto {

namespace {

QPixmap Tessera(const QString& simbolo, Colore sfondo, int lato, int scala) {
    QPixmap pixmap(lato * scala, lato * scala);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(scala, scala);
    const QColor colore = ModelloGriglia::ColoreQt(sfondo);
    p.setBrush(colore);
    p.setPen(colore.darker(140));
    p.drawRoundedRect(QRectF(1.5, 1.5, lato - 3, lato - 3), lato / 6.0, lato / 6.0);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(simbolo.size() > 2 ? lato / 3 : lato / 2);
    p.setFont(f);
    p.setPen(colore.lightness() > 140 ? Qt::black : Qt::white);
    p.drawText(QRect(0, 0, lato, lato), Qt::AlignCenter, simbolo);
    return pixmap;
}

// The program's icon on a 256-unit square: a green tile holding three balls, the terzina.
struct Forma {
    bool cerchio;
    double x, y, lato, raggioAngolo; // circle: centre and radius in x, y, lato
    const char *riempimento, *bordo;
    double spessore;
};
constexpr Forma FormeIcona[] = {
    {false, 12, 12, 232, 48, "#0b5d1e", "#063812", 8}, {true, 128, 86, 46, 0, "#ffffff", "#f2b705", 12},
    {true, 76, 172, 46, 0, "#ffffff", "#f2b705", 12},  {true, 180, 172, 46, 0, "#ffffff", "#f2b705", 12},
    {true, 128, 86, 14, 0, "#0b5d1e", "#0b5d1e", 0},   {true, 76, 172, 14, 0, "#0b5d1e", "#0b5d1e", 0},
    {true, 180, 172, 14, 0, "#0b5d1e", "#0b5d1e", 0},
};

} // namespace

QIcon IconaPulsante(const QString& simbolo, Colore sfondo, int lato) {
    QIcon icona;
    for (int scala : {1, 2, 3})
        icona.addPixmap(Tessera(simbolo, sfondo, lato, scala));
    return icona;
}

QImage ImmagineIconaProgramma(int lato) {
    QImage immagine(lato, lato, QImage::Format_ARGB32_Premultiplied);
    immagine.fill(Qt::transparent);
    QPainter p(&immagine);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(lato / 256.0, lato / 256.0);
    for (const auto& f : FormeIcona) {
        p.setBrush(QColor::fromString(QLatin1String(f.riempimento)));
        if (f.spessore > 0)
            p.setPen(QPen(QColor::fromString(QLatin1String(f.bordo)), f.spessore));
        else
            p.setPen(Qt::NoPen);
        if (f.cerchio)
            p.drawEllipse(QPointF(f.x, f.y), f.lato, f.lato);
        else
            p.drawRoundedRect(QRectF(f.x, f.y, f.lato, f.lato), f.raggioAngolo, f.raggioAngolo);
    }
    return immagine;
}

QByteArray SvgIconaProgramma() {
    QByteArray svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                     "viewBox=\"0 0 256 256\">\n";
    for (const auto& f : FormeIcona) {
        const QString tratto = f.spessore > 0 ? QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                                                    .arg(QLatin1String(f.bordo))
                                                    .arg(f.spessore)
                                              : QString();
        const QString forma =
            f.cerchio ? QStringLiteral("  <circle cx=\"%1\" cy=\"%2\" r=\"%3\"").arg(f.x).arg(f.y).arg(f.lato)
                      : QStringLiteral("  <rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%3\" rx=\"%4\"")
                            .arg(f.x)
                            .arg(f.y)
                            .arg(f.lato)
                            .arg(f.raggioAngolo);
        svg += (forma + QStringLiteral(" fill=\"%1\"").arg(QLatin1String(f.riempimento)) + tratto +
                QStringLiteral("/>\n"))
                   .toUtf8();
    }
    svg += "</svg>\n";
    return svg;
}

QIcon IconaProgramma() {
    QIcon icona;
    for (int lato : {16, 24, 32, 48, 64, 128, 256})
        icona.addPixmap(QPixmap::fromImage(ImmagineIconaProgramma(lato)));
    return icona;
}

QToolButton* PulsanteFigura(QWidget* padre, const char* nome, const QString& testo, const QString& simbolo,
                            Colore colore) {
    auto* b = new QToolButton(padre);
    b->setObjectName(QString::fromLatin1(nome));
    b->setText(testo);
    b->setToolTip(testo);
    b->setIcon(IconaPulsante(simbolo, colore, 20));
    b->setIconSize(QSize(18, 18));
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    return b;
}

} // namespace trivalto
