// SPDX-License-Identifier: GPL-3.0-or-later
// The search as literal loops: pair pre-count, lexicographic walk, strict-greater entry into the
// last row and a stable re-sort. Kept as the yardstick for the fast search.
#include <algorithm>
#include <vector>

#include "core/analysis/Gioco.h"
#include "riferimento/ContaCoppie.h"

namespace trivalto {

RisultatoTerzine CercaTerzineRiferimento(const InputRicerca& in, const ControlloLavoro& ctl) {
    const ArchivioMemoria& ar = *in.Archivio;
    RisultatoTerzine ris;
    if (in.Elenco <= 0) return ris;
    ris.Righe.assign(static_cast<size_t>(in.Elenco), Terzina{});
    const int fine = std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni);
    const auto coperto = [&](size_t i) { return i < in.Coperti.size() && in.Coperti[i]; };

    ris.Interrotta = !PercorriTerzine(in, ctl, 6000, [&](int a, int b, int c) {
        int pos = 0, neg = 0, ambi = 0, terni = 0;
        for (size_t i = 0; i < in.Casi.size(); ++i) {
            if (coperto(i)) continue;
            const auto& caso = in.Casi[i];
            const auto giocati = NumeriPerCaso(caso.Parametro, a, b, c);
            bool successo = false, fermo = false;
            const int primo = caso.Estrazione + in.Finestra.DaColpo;
            for (int j = primo; j <= primo + in.Finestra.Colpi - 1 && j <= fine && !fermo; ++j)
                for (int w = 0; w < NumeroRuote && !fermo; ++w) {
                    if (!in.Ruote[w]) continue;
                    const int m = ContaEsito(ar.Estrazioni[j][w], giocati);
                    if (m < 2) continue;
                    successo = true;
                    ++pos;
                    if (m == 2)
                        ++ambi;
                    else
                        ++terni;
                    fermo = !in.InteroPeriodo;
                }
            if (!successo) ++neg;
        }
        if (pos > ris.Righe.back().Pos) {
            ris.Righe.back() = Terzina{pos, neg, a, b, c, ambi, terni};
            std::stable_sort(ris.Righe.begin(), ris.Righe.end(),
                             [](const Terzina& x, const Terzina& y) { return x.Pos > y.Pos; });
        }
    });
    return ris;
}

} // namespace trivalto
