// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One of the 55 entry boxes of a draw: yellow while it has the focus, "0#" when it loses it, the
// typing filter on every change, Enter and the arrows moving between boxes by the shared rules.
#include <QLineEdit>

#include "core/maintenance/CaselleEstrazione.h"

namespace trivalto {

class CasellaNumero : public QLineEdit {
    Q_OBJECT
public:
    CasellaNumero(int numero, QWidget* parent = nullptr);
    int Numero() const { return numero_; }

signals:
    /// A key asks to move the focus to box `destinazione` (1..55).
    void Sposta(int destinazione);

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void Colora(bool evidenziata);
    int numero_;
};

} // namespace trivalto
