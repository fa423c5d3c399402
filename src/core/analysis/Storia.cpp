// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Storia.h"

#include <cstdio>

namespace trivalto {

std::string FormatoPercentuale(double valore) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f%%", valore);
    std::string testo = buf;
    for (char& ch : testo)
        if (ch == '.') ch = ',';
    return testo;
}

namespace {
std::string Numeri(const NumeriGiocati& g) {
    std::string t;
    for (int n : g)
        t += std::to_string(n) + " ";
    return t;
}
} // namespace

Storia StoriaTerzine(const ArchivioMemoria& ar, const std::vector<Caso>& casi,
                     const std::vector<Terzina>& terzine, const RuoteGioco& ruote,
                     const FinestraGioco& finestra, bool interoPeriodo) {
    Storia s;
    const int fine = std::min(finestra.FineVerifica, ar.NumeroEstrazioni);
    for (size_t i = 0; i < casi.size(); ++i) {
        const auto& caso = casi[i];
        std::vector<NumeriGiocati> g;
        std::string previsione;
        for (const auto& z : terzine) {
            g.push_back(NumeriPerCaso(caso.Parametro, z.A, z.B, z.C));
            previsione += (previsione.empty() ? "" : " - ") + Numeri(g.back());
        }
        RigaStoria base;
        base.Caso = static_cast<int>(i) + 1;
        base.Estrazione = caso.Estrazione;
        base.RuotaBase = caso.Ruota;
        base.Parametro = caso.Parametro;
        base.Previsione = previsione;
        const auto f = FinestraDelCaso(caso, finestra, fine);
        int successi = 0;
        for (int j = f.primo; j <= f.ultimo; ++j) {
            bool inQuestaEstrazione = false;
            for (int w = 0; w < NumeroRuote; ++w) {
                if (!ruote[w]) continue;
                const auto& estratti = ar.Estrazioni[j][w];
                for (const auto& gt : g) {
                    const int conta = ContaEsito(estratti, gt);
                    if (conta < 2) continue;
                    RigaStoria r = base;
                    if (successi > 0) r.Caso = 0;
                    r.Esito = Usciti(estratti, gt).Testo;
                    r.Sorte = std::min(conta, 3);
                    r.Ruota = w;
                    r.Colpo = j - f.primo + 1;
                    s.Righe.push_back(r);
                    ++successi;
                    inQuestaEstrazione = true;
                    break;
                }
            }
            if (inQuestaEstrazione && !interoPeriodo) break;
        }
        if (successi == 0) {
            base.Negativo = true;
            s.Righe.push_back(base);
        } else {
            ++s.Coperti;
            s.Positivi += successi;
        }
    }
    s.Casi = static_cast<int>(casi.size());
    s.Negativi = s.Casi - s.Coperti;
    if (s.Casi > 0) s.Percentuale = FormatoPercentuale(s.Coperti * 100.0 / s.Casi);
    return s;
}

} // namespace trivalto
