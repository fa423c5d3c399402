#include "gui/ui/Icone.h"

#include <QToolButton>

#include <QPainter>
#include <QPixmap>

#include "gui/ui/ModelloGriglia.h"

namespace trivalto {

QIcon IconaPulsante(const QString& simbolo, Colore sfondo, int lato) {
    QPixmap pixmap(lato, lato);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor colore = ModelloGriglia::ColoreQt(sfondo);
    p.setBrush(colore);
    p.setPen(colore.darker(140));
    p.drawRoundedRect(QRectF(1.5, 1.5, lato - 3, lato - 3), lato / 6.0, lato / 6.0);
    QFont f = p.font();
    f.setBold(true);
    f.setPixelSize(simbolo.size() > 2 ? lato / 3 : lato / 2);
    p.setFont(f);
    p.setPen(colore.lightness() > 140 ? Qt::black : Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, simbolo);
    return QIcon(pixmap);
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
