// SPDX-License-Identifier: GPL-3.0-or-later
// The combination search as literal loops: per combination, every case walked draw by draw.
#include <algorithm>

#include "core/analysis/Combinazioni.h"
#include "core/analysis/Gioco.h"

namespace trivalto {

RisultatoCombinazioni CercaCombinazioniRiferimento(const InputCombinazioni& in, const ControlloLavoro& ctl) {
    const ArchivioMemoria& ar = *in.Archivio;
    RisultatoCombinazioni ris;
    const int righe = std::max(in.Elenco - 1, 0);
    ris.Righe.assign(static_cast<size_t>(righe), Combinazione{});
    const int T = static_cast<int>(in.Lista.size());
    if (righe == 0 || T == 0) return ris;
    const int fine = std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni);
    const auto ferma = [&] { return ctl.Interrompi && ctl.Interrompi->load(); };

    const auto valuta = [&](std::array<int, 3> k, int quante) {
        int successi = 0;
        for (const auto& caso : in.Casi) {
            NumeriGiocati g[3];
            for (int t = 0; t < quante; ++t) {
                const auto& z = in.Lista[k[t]];
                g[t] = NumeriPerCaso(caso.Parametro, z.A, z.B, z.C);
            }
            const auto f = FinestraDelCaso(caso, in.Finestra, fine);
            bool coperto = false;
            for (int j = f.primo; j <= f.ultimo && !coperto; ++j)
                for (int w = 0; w < NumeroRuote && !coperto; ++w) {
                    if (!in.Ruote[w]) continue;
                    for (int t = 0; t < quante && !coperto; ++t)
                        coperto = ContaEsito(ar.Estrazioni[j][w], g[t]) >= 2;
                }
            if (coperto) ++successi;
        }
        if (successi > ris.Righe.back().Cop) {
            ris.Righe.back() =
                Combinazione{successi, successi, {k[0], quante > 1 ? k[1] : -1, quante > 2 ? k[2] : -1}};
            std::stable_sort(ris.Righe.begin(), ris.Righe.end(),
                             [](const Combinazione& a, const Combinazione& b) { return a.Cop > b.Cop; });
        }
    };

    int conta = 0;
    if (in.K == 1) {
        for (int k1 = 0; k1 < T; ++k1) {
            if (ctl.Progresso) ctl.Progresso(conta, T);
            ++conta;
            if (ferma()) return ris.Interrotta = true, ris;
            valuta({k1, -1, -1}, 1);
        }
    } else if (in.K == 2) {
        for (int k1 = 0; k1 < T; ++k1) {
            if (ctl.Progresso) ctl.Progresso(conta, static_cast<int>(NumeroCombinazioni(T, 2)));
            for (int k2 = k1 + 1; k2 < T; ++k2) {
                ++conta;
                if (ferma()) return ris.Interrotta = true, ris;
                valuta({k1, k2, -1}, 2);
            }
        }
    } else {
        for (int k1 = 0; k1 < T; ++k1)
            for (int k2 = k1 + 1; k2 < T; ++k2) {
                if (ferma()) return ris.Interrotta = true, ris;
                for (int k3 = k2 + 1; k3 < T; ++k3) {
                    ++conta;
                    if (conta % 50 == 0 && ctl.Progresso)
                        ctl.Progresso(conta, static_cast<int>(NumeroCombinazioni(T, 3)));
                    valuta({k1, k2, k3}, 3);
                }
            }
    }
    return ris;
}

} // namespace trivalto
