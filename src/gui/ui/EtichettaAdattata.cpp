// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/ui/EtichettaAdattata.h"

namespace trivalto {

EtichettaAdattata::EtichettaAdattata(QWidget* padre, const char* nome) : QLabel(padre) {
    setObjectName(QString::fromLatin1(nome));
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The width comes from the layout; the text only asks for height.
    setMinimumWidth(120);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
}

void EtichettaAdattata::Imposta(const QString& testo) {
    setText(testo);
    setVisible(!testo.isEmpty());
    Adatta();
}

void EtichettaAdattata::resizeEvent(QResizeEvent* evento) {
    QLabel::resizeEvent(evento);
    Adatta();
}

void EtichettaAdattata::Adatta() {
    const int altezza = text().isEmpty() ? 0 : heightForWidth(width());
    if (altezza != minimumHeight()) setMinimumHeight(altezza);
}

} // namespace trivalto
