// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Verifica.h"

namespace trivalto {

std::vector<bool> VerificaTerzine(const ArchivioMemoria& ar, const Caso& caso,
                                  const std::vector<Terzina>& lista, const RuoteGioco& ruote,
                                  const FinestraGioco& finestra) {
    std::vector<bool> verdi(lista.size(), false);
    const auto f = FinestraDelCaso(caso, finestra, ar.NumeroEstrazioni);
    for (size_t k = 0; k < lista.size(); ++k) {
        if (lista[k].Vuota()) continue;
        const auto g = NumeriPerCaso(caso.Parametro, lista[k].A, lista[k].B, lista[k].C);
        for (int j = f.primo; j <= f.ultimo && !verdi[k]; ++j)
            for (int w = 0; w < NumeroRuote && !verdi[k]; ++w)
                verdi[k] = ruote[w] && ContaEsito(ar.Estrazioni[j][w], g) >= 2;
    }
    return verdi;
}

std::vector<Terzina> TerzineDellaCombinazione(const Combinazione& c, const std::vector<Terzina>& lista) {
    std::vector<Terzina> terzine;
    for (int r : c.Righe)
        if (r >= 0 && r < static_cast<int>(lista.size()) && !lista[static_cast<size_t>(r)].Vuota())
            terzine.push_back(lista[static_cast<size_t>(r)]);
    return terzine;
}

std::vector<DettaglioTerzina> MostraCombinazione(const ArchivioMemoria& ar, const Caso& caso,
                                                 const std::vector<Terzina>& terzine, const RuoteGioco& ruote,
                                                 const FinestraGioco& finestra) {
    std::vector<DettaglioTerzina> dettagli;
    const auto f = FinestraDelCaso(caso, finestra, ar.NumeroEstrazioni);
    for (const auto& z : terzine) {
        DettaglioTerzina d;
        d.Numeri = NumeriPerCaso(caso.Parametro, z.A, z.B, z.C);
        for (int j = f.primo; j <= f.ultimo && d.Esito == 0; ++j)
            for (int w = 0; w < NumeroRuote && d.Esito == 0; ++w) {
                if (!ruote[w]) continue;
                const auto& estratti = ar.Estrazioni[j][w];
                for (int k = 0; k < 3; ++k)
                    for (auto x : estratti)
                        d.Usciti[k] = d.Usciti[k] || x == d.Numeri[k];
                const int conta = ContaEsito(estratti, d.Numeri);
                if (conta >= 2) d.Esito = std::min(conta, 3), d.Ruota = w, d.Colpo = j - f.primo + 1;
            }
        dettagli.push_back(d);
    }
    return dettagli;
}

} // namespace trivalto
