#pragma once
// Pictures for the picture buttons, painted at run time: a coloured tile with a symbol.
#include <QIcon>

#include "core/archive/Palette.h"

namespace trivalto {

QIcon IconaPulsante(const QString& simbolo, Colore sfondo, int lato = 40);

} // namespace trivalto
