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
    setModified(false);
    // Reached by Enter or an arrow the box is selected at once: digits typed ahead are already queued
    // and a later selection would swallow the first of them. After a click the line edit places the
    // cursor itself, so select once that is done, unless the focus has moved on (a box left selected
    // looks like a second cursor) or typing has begun.
    if (event->reason() != Qt::MouseFocusReason) {
        selectAll();
        return;
    }
    QTimer::singleShot(0, this, [this] {
        if (hasFocus() && !isModified()) selectAll();
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
