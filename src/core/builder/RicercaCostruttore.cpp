#include "core/builder/RicercaCostruttore.h"

#include <algorithm>

#include "core/analysis/Gioco.h"

namespace trivalto {

namespace {

/// Calls f(colpo 0.., count) for every draw and played wheel of a case's play window, in order.
template <class F>
void PerOgniGiocata(const InputRicerca& in, const Caso& caso, const NumeriGiocati& giocati, F&& f) {
    const ArchivioMemoria& ar = *in.Archivio;
    const auto finestra =
        FinestraDelCaso(caso, in.Finestra, std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni));
    for (int j = finestra.primo; j <= finestra.ultimo; ++j)
        for (int w = 0; w < NumeroRuote; ++w)
            if (in.Ruote[static_cast<size_t>(w)] &&
                !f(j - finestra.primo, ContaEsito(ar.Estrazioni[j][w], giocati)))
                return;
}

/// Every success of the candidate over the uncovered cases' whole windows.
int TuttiISuccessi(const InputRicerca& in, const Candidata& z) {
    int tot = 0;
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        if (i < in.Coperti.size() && in.Coperti[i]) continue;
        const auto& caso = in.Casi[i];
        PerOgniGiocata(in, caso, NumeriPerCaso(caso.Parametro, z.A, z.B, z.C), [&](int, int m) {
            tot += m >= 2;
            return true;
        });
    }
    return tot;
}

} // namespace

RisultatoCostruttore CercaCandidate(const InputRicerca& input, const ControlloLavoro& controllo) {
    // Ranked by covered cases, with the size of each case's first success: exactly the terzine search
    // without the whole period. "Tot" alone needs every success, and only for the rows kept.
    InputRicerca in = input;
    in.InteroPeriodo = false;
    in.PassoControllo = PassoControlloCostruttore;
    const auto ris = CercaTerzine(in, controllo);
    RisultatoCostruttore r;
    r.Interrotta = ris.Interrotta;
    r.Righe.reserve(ris.Righe.size());
    for (const auto& z : ris.Righe) {
        Candidata c{z.Pos, z.Pos, z.A, z.B, z.C, z.Ambi, z.Terni};
        if (input.InteroPeriodo && !c.Vuota()) c.Tot = TuttiISuccessi(input, c);
        r.Righe.push_back(c);
    }
    return r;
}

std::vector<std::array<int8_t, MassimoCasi>> CoperturePerCaso(const InputRicerca& in,
                                                              const std::vector<Candidata>& righe) {
    std::vector<std::array<int8_t, MassimoCasi>> coperture(righe.size());
    const size_t casi = std::min<size_t>(in.Casi.size(), MassimoCasi);
    for (size_t r = 0; r < righe.size(); ++r) {
        if (righe[r].Vuota()) continue;
        for (size_t k = 0; k < casi; ++k) {
            const auto& caso = in.Casi[k];
            PerOgniGiocata(in, caso, NumeriPerCaso(caso.Parametro, righe[r].A, righe[r].B, righe[r].C),
                           [&](int, int m) {
                               if (m < 2) return true;
                               coperture[r][k] = static_cast<int8_t>(m >= 3 ? 3 : 2);
                               return false;
                           });
        }
    }
    return coperture;
}

std::vector<ConteggioColpi> ContaPerColpo(const InputRicerca& in, const std::vector<Candidata>& righe) {
    std::vector<ConteggioColpi> conteggi(righe.size());
    for (size_t r = 0; r < righe.size(); ++r) {
        if (righe[r].Vuota()) continue;
        for (const auto& caso : in.Casi)
            PerOgniGiocata(in, caso, NumeriPerCaso(caso.Parametro, righe[r].A, righe[r].B, righe[r].C),
                           [&](int colpo, int m) {
                               if (m >= 2 && colpo < 20) {
                                   ++conteggi[r].Successi[static_cast<size_t>(colpo)];
                                   if (m >= 3) conteggi[r].Terno[static_cast<size_t>(colpo)] = true;
                               }
                               return true;
                           });
    }
    return conteggi;
}

std::vector<int> CasiAncoraScoperti(const std::vector<std::array<int8_t, MassimoCasi>>& coperture,
                                    const std::vector<bool>& copertiDalMetodo, int numeroCasi) {
    std::vector<int> scoperti(coperture.size(), 0);
    const int casi = std::clamp(numeroCasi, 0, MassimoCasi);
    for (size_t r = 0; r < coperture.size(); ++r)
        for (int k = 0; k < casi; ++k)
            if (coperture[r][static_cast<size_t>(k)] != 0 &&
                !(static_cast<size_t>(k) < copertiDalMetodo.size() &&
                  copertiDalMetodo[static_cast<size_t>(k)]))
                ++scoperti[r];
    return scoperti;
}

} // namespace trivalto
