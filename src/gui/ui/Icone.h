#pragma once
// Pictures for the picture buttons, painted at run time: a coloured tile with a symbol.
#include <QIcon>

class QToolButton;
class QWidget;

#include "core/archive/Palette.h"

namespace trivalto {

QIcon IconaPulsante(const QString& simbolo, Colore sfondo, int lato = 40);

/// A picture button: its picture, its caption beside it (so every control is labelled) and the
/// caption again as tool tip. `nome` is the control's name.
QToolButton* PulsanteFigura(QWidget* padre, const char* nome, const QString& testo, const QString& simbolo,
                            Colore colore);

} // namespace trivalto
