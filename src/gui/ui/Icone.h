// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pictures for the picture buttons, painted at run time: a coloured tile with a symbol.
#include <QByteArray>
#include <QIcon>
#include <QImage>

class QToolButton;
class QWidget;

#include "core/archive/Palette.h"

namespace trivalto {

/// Painted at one, two and three times `lato` pixels, so the tile stays sharp on dense screens.
QIcon IconaPulsante(const QString& simbolo, Colore sfondo, int lato = 40);

/// The program's own icon (window, menu entry), painted at every size it may be shown at.
QIcon IconaProgramma();
/// The same picture as a square image of `lato` pixels, and as SVG text: the package's icon files.
QImage ImmagineIconaProgramma(int lato);
QByteArray SvgIconaProgramma();

/// A picture button: its picture, its caption beside it (so every control is labelled) and the
/// caption again as tool tip. `nome` is the control's name.
QToolButton* PulsanteFigura(QWidget* padre, const char* nome, const QString& testo, const QString& simbolo,
                            Colore colore);

} // namespace trivalto
