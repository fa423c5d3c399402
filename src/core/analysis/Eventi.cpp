// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Eventi.h"

#include <algorithm>

namespace trivalto {

void EventiDelCaso(const ArchivioMemoria& ar, const Caso& caso, const RuoteGioco& ruote,
                   const FinestraGioco& f, int fine, std::vector<Evento>& eventi) {
    const int P = std::clamp(caso.Parametro, 0, 90);
    const int primo = caso.Estrazione + f.DaColpo;
    const int ultimo = std::min({primo + f.Colpi - 1, fine, ar.NumeroEstrazioni});
    for (int j = std::max(primo, 1); j <= ultimo; ++j)
        for (int w = 0; w < NumeroRuote; ++w) {
            if (!ruote[w]) continue;
            const auto& x = ar.Estrazioni[j][w];
            Evento ev;
            int o[5], n = 0;
            for (int p = 0; p < 5; ++p) {
                ev.pre[p] = static_cast<uint8_t>(OffsetDa(x[p], P));
                if (x[p] >= 1 && x[p] <= 90) o[n++] = ev.pre[p];
            }
            for (int i = 1; i < n; ++i) // insertion sort of at most five offsets
                for (int q = i; q > 0 && o[q - 1] > o[q]; --q)
                    std::swap(o[q - 1], o[q]);
            for (int i = 0; i < n; ++i) {
                if (ev.k > 0 && ev.s[ev.k - 1] == o[i]) {
                    ++ev.m[ev.k - 1];
                    ev.doppi = true;
                } else {
                    ev.s[ev.k] = static_cast<uint8_t>(o[i]);
                    ev.m[ev.k] = 1;
                    ++ev.k;
                }
            }
            eventi.push_back(ev);
        }
}

} // namespace trivalto
