// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/TabelleNumeri.h"

namespace trivalto {
namespace {

TabelleNumeri Costruisci() {
    TabelleNumeri t;
    for (int n = 1; n <= 90; ++n) {
        t.TabDiametrale[n] = static_cast<int16_t>(n <= 45 ? n + 45 : n - 45);
        const int unita = n % 10;
        t.TabDiamDecina[n] = static_cast<int16_t>((unita >= 1 && unita <= 4) || unita == 0 ? n + 5 : n - 5);

        t.TabVertibile[n] = static_cast<int16_t>((n % 10) * 10 + n / 10);
        t.TabDecina[n] = static_cast<int16_t>(n == 90 ? 0 : n / 10);
        t.TabUnita[n] = static_cast<int16_t>(n % 10);
        t.TabFigura[n] = static_cast<int16_t>(n % 9 == 0 ? 9 : n % 9);
        t.TabModulo30[n] = static_cast<int16_t>((n - 1) % 30 + 1);
    }
    t.TabDiamDecina[90] = 5;
    t.TabDiamDecina[5] = 90;
    for (int i = 1; i <= 8; ++i) {
        const int doppio = 11 * i, partner = 10 * i + 9;
        t.TabVertibile[doppio] = static_cast<int16_t>(partner);
        t.TabVertibile[partner] = static_cast<int16_t>(doppio);
        for (int n : {i, 10 * i, doppio, partner})
            t.TabGruppoVertibile[n] = static_cast<int16_t>(i);
    }
    return t;
}

} // namespace

const TabelleNumeri& Tabelle() {
    static const TabelleNumeri tabelle = Costruisci();
    return tabelle;
}

} // namespace trivalto
