// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/archive/CasellaNumero.h"

#include <QKeyEvent>
#include <QTimer>

namespace trivalto {

CasellaNumero::CasellaNumero(int numero, QWidget* parent) : QLineEdit(parent), numero_(numero) {
    setObjectName(QStringLiteral("txtin%1").arg(numero));
    setAlignment(Qt::AlignCenter);
    setMaxLength(2);
    setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("00")) + 16);
    Colora(false);
    // The filter runs on every change, typed or set by the program, as the old boxes did.
    connect(this, &QLineEdit::textChanged, this, [this](const QString& testo) {
        const auto filtrato = QString::fromStdString(FiltraCasella(testo.toStdString()));
        if (filtrato != testo) setText(filtrato);
    });
}

void CasellaNumero::Colora(bool evidenziata) {
    setStyleSheet(evidenziata ? QStringLiteral("QLineEdit { background: #ffff00; }")
                              : QStringLiteral("QLineEdit { background: #ffffff; }"));
}

void CasellaNumero::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    Colora(true);
    // After a click the line edit places the cursor itself: select once that is done, unless the
    // focus has already moved on (a box left with its text selected looks like a second cursor).
    QTimer::singleShot(0, this, [this] {
        if (hasFocus()) selectAll();
    });
}

void CasellaNumero::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    setText(QString::fromStdString(FormatoCasella(text().toStdString())));
    Colora(false);
}

void CasellaNumero::keyPressEvent(QKeyEvent* event) {
    TastoCasella tasto;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        tasto = TastoCasella::Invio;
        break;
    case Qt::Key_Right:
        tasto = TastoCasella::Destra;
        break;
    case Qt::Key_Left:
        tasto = TastoCasella::Sinistra;
        break;
    case Qt::Key_Up:
        tasto = TastoCasella::Su;
        break;
    case Qt::Key_Down:
        tasto = TastoCasella::Giu;
        break;
    default:
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const auto azione = Tasto(numero_, text().toStdString(), tasto);
    if (azione.Svuota) {
        clear();
        return;
    }
    const QString testo = QString::fromStdString(azione.Testo);
    emit Sposta(azione.Destinazione);
    setText(QString::fromStdString(FormatoCasella(testo.toStdString())));
}

} // namespace trivalto
