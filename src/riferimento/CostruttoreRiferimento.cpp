// The builder's search as literal loops: the pair pre-count, the lexicographic walk, Cop and Tot per
// terzina, a check of the stop flag every 3,000 terzine, strict-greater entry and a stable re-sort.
#include <algorithm>
#include <vector>

#include "core/analysis/Gioco.h"
#include "core/builder/RicercaCostruttore.h"
#include "riferimento/ContaCoppie.h"

namespace trivalto {

RisultatoCostruttore CercaCandidateRiferimento(const InputRicerca& in, const ControlloLavoro& ctl) {
    const ArchivioMemoria& ar = *in.Archivio;
    RisultatoCostruttore ris;
    if (in.Elenco <= 0) return ris;
    ris.Righe.assign(static_cast<size_t>(in.Elenco), Candidata{});
    const int fine = std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni);
    const auto coperto = [&](size_t i) { return i < in.Coperti.size() && in.Coperti[i]; };

    const std::vector<int> pairCount = ContaCoppie(in);

    int n = 0;
    for (int a = 1; a <= 88; ++a)
        for (int b = a + 1; b <= 89; ++b)
            for (int c = b + 1; c <= 90; ++c) {
                ++n;
                if ((n / 10) % 100 == 0 && ctl.Progresso) ctl.Progresso(n / 10, NumeroTerzine / 10);
                if (n % PassoControlloCostruttore == 0 && ctl.Interrompi && ctl.Interrompi->load()) {
                    ris.Interrotta = true;
                    return ris;
                }
                if (pairCount[a * 91 + b] + pairCount[a * 91 + c] + pairCount[b * 91 + c] == 0) continue;
                int cop = 0, tot = 0, ambi = 0, terni = 0;
                for (size_t i = 0; i < in.Casi.size(); ++i) {
                    if (coperto(i)) continue;
                    const auto& caso = in.Casi[i];
                    const auto giocati = NumeriPerCaso(caso.Parametro, a, b, c);
                    bool primo = true, fermo = false;
                    const int da = caso.Estrazione + in.Finestra.DaColpo;
                    for (int j = da; j <= da + in.Finestra.Colpi - 1 && j <= fine && !fermo; ++j)
                        for (int w = 0; w < NumeroRuote && !fermo; ++w) {
                            if (!in.Ruote[w]) continue;
                            const int m = ContaEsito(ar.Estrazioni[j][w], giocati);
                            if (m < 2) continue;
                            if (primo) {
                                ++cop;
                                ++(m == 2 ? ambi : terni);
                                primo = false;
                            }
                            ++tot;
                            fermo = !in.InteroPeriodo;
                        }
                }
                if (cop > ris.Righe.back().Cop) {
                    ris.Righe.back() = Candidata{cop, tot, a, b, c, ambi, terni};
                    std::stable_sort(ris.Righe.begin(), ris.Righe.end(),
                                     [](const Candidata& x, const Candidata& y) { return x.Cop > y.Cop; });
                }
            }
    return ris;
}

} // namespace trivalto
