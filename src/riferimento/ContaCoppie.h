// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pair pre-count of the literal searches: for each pair of offsets (lo, hi), in how many of the
// uncovered cases it came out together at least once within the play window up to the reference draw.
#include <algorithm>
#include <vector>

#include "core/analysis/Gioco.h"

namespace trivalto {

inline std::vector<int> ContaCoppie(const InputRicerca& in) {
    const ArchivioMemoria& ar = *in.Archivio;
    const int fine = std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni);
    std::vector<int> pairCount(91 * 91, 0);
    std::vector<char> seen(91 * 91);
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        if (i < in.Coperti.size() && in.Coperti[i]) continue;
        const auto& caso = in.Casi[i];
        std::fill(seen.begin(), seen.end(), 0);
        const int primo = caso.Estrazione + in.Finestra.DaColpo;
        for (int j = primo; j <= primo + in.Finestra.Colpi - 1 && j <= fine; ++j)
            for (int w = 0; w < NumeroRuote; ++w) {
                if (!in.Ruote[w]) continue;
                const auto& x = ar.Estrazioni[j][w];
                for (int p = 0; p < 5; ++p)
                    for (int q = p + 1; q < 5; ++q) {
                        const int op = OffsetDa(x[p], caso.Parametro), oq = OffsetDa(x[q], caso.Parametro);
                        const int lo = std::min(op, oq), hi = std::max(op, oq);
                        if (lo != hi && !seen[lo * 91 + hi]) {
                            seen[lo * 91 + hi] = 1;
                            ++pairCount[lo * 91 + hi];
                        }
                    }
            }
    }
    return pairCount;
}

/// The lexicographic walk of the literal searches: progress every 1,000 terzine, the stop flag read every
/// `passo` terzine, terzine none of whose pairs came out skipped, `conta(a, b, c)` for the others. False
/// when stopped.
template <class Conta>
bool PercorriTerzine(const InputRicerca& in, const ControlloLavoro& ctl, int passo, Conta&& conta) {
    const std::vector<int> pairCount = ContaCoppie(in);
    int n = 0;
    for (int a = 1; a <= 88; ++a)
        for (int b = a + 1; b <= 89; ++b)
            for (int c = b + 1; c <= 90; ++c) {
                ++n;
                if ((n / 10) % 100 == 0 && ctl.Progresso) ctl.Progresso(n / 10, NumeroTerzine / 10);
                if (n % passo == 0 && ctl.Interrompi && ctl.Interrompi->load()) return false;
                if (pairCount[a * 91 + b] + pairCount[a * 91 + c] + pairCount[b * 91 + c] == 0) continue;
                conta(a, b, c);
            }
    return true;
}

} // namespace trivalto
