// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Parametro.h"

#include <cstdlib>

#include "core/archive/TabelleNumeri.h"

namespace trivalto {

int Trasforma(int x, int t, int fisso) {
    const auto& tab = Tabelle();
    const auto voce = [](const TabellaNumeri& tabella, int n) { return n >= 0 && n <= 90 ? tabella[n] : 0; };
    switch (t) {
    case 1:
        return voce(tab.TabVertibile, x);
    // A base wheel without numbers gives 0; its complement stays 0 instead of 91, which lies
    // outside every parameter's range.
    case 2:
        return x == 0 ? 0 : 91 - x;
    case 3:
        return voce(tab.TabDiametrale, x);
    case 4:
        return voce(tab.TabDiamDecina, x);
    case 5:
        return voce(tab.TabFigura, x);
    case 6: {
        const int r = (x + fisso) % 90;
        return r == 0 ? 90 : r;
    }
    case 7:
        return 0;
    default:
        return x;
    }
}

int CalcolaParametro(const NumeriRuota& numeri, const PosizioniAbilitate& posizioni, Operazione operazione,
                     int trasformazione, int fisso) {
    int risultato = 0;
    if (operazione == Operazione::Somma) {
        int s = 0;
        for (int p = 0; p < 5; ++p)
            if (posizioni[p]) s = (s + numeri[p]) % 90;
        risultato = s == 0 ? 90 : s;
    } else {
        int scelti[2] = {0, 0}, n = 0;
        for (int p = 0; p < 5 && n < 2; ++p)
            if (posizioni[p]) scelti[n++] = numeri[p];
        int d = std::abs(scelti[0] - scelti[1]);
        if (operazione == Operazione::Distanza && d >= 46) d = 90 - d;
        risultato = d;
    }
    return Trasforma(risultato, trasformazione, fisso);
}

EffettoPosizioni RegolaPosizioni(int accese) {
    if (accese == 0) return EffettoPosizioni::NessunCambio;
    return accese == 2 ? EffettoPosizioni::AbilitaDistanze : EffettoPosizioni::SoloSomma;
}

} // namespace trivalto
