// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/builder/RicercaCostruttore.h"

#include <algorithm>
#include <bit>

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

Candidata ValutaCandidata(const InputRicerca& in, int a, int b, int c) {
    Candidata z{0, 0, a, b, c, 0, 0};
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        if (i < in.Coperti.size() && in.Coperti[i]) continue;
        const auto& caso = in.Casi[i];
        bool primo = true;
        PerOgniGiocata(in, caso, NumeriPerCaso(caso.Parametro, a, b, c), [&](int, int m) {
            if (m < 2) return true;
            if (primo) {
                ++z.Cop;
                ++(m == 2 ? z.Ambi : z.Terni);
                primo = false;
            }
            ++z.Tot;
            return in.InteroPeriodo;
        });
    }
    return z;
}

namespace {

/// The draws of a case's play window on the played wheels, each with its colpo (0-based), read once
/// for all the candidates.
struct EventoCaso {
    int Colpo;
    const NumeriRuota* Estratti;
};

std::vector<std::vector<EventoCaso>> EventiDeiCasi(const InputRicerca& in, size_t casi) {
    std::vector<std::vector<EventoCaso>> eventi(casi);
    const ArchivioMemoria& ar = *in.Archivio;
    for (size_t k = 0; k < casi; ++k) {
        const auto f =
            FinestraDelCaso(in.Casi[k], in.Finestra, std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni));
        for (int j = f.primo; j <= f.ultimo; ++j)
            for (int w = 0; w < NumeroRuote; ++w)
                if (in.Ruote[static_cast<size_t>(w)])
                    eventi[k].push_back({j - f.primo, &ar.Estrazioni[j][w]});
    }
    return eventi;
}

/// The played numbers of a candidate for a case as a lookup by number; a drawn 0 never matches.
struct Giocati {
    std::array<uint8_t, 256> Segno{};
    NumeriGiocati Numeri{};
    void Imposta(const NumeriGiocati& g) {
        for (int x : Numeri)
            Segno[static_cast<size_t>(x)] = 0;
        Numeri = g;
        for (int x : Numeri)
            Segno[static_cast<size_t>(x)] = 1;
    }
    int Conta(const NumeriRuota& estratti) const {
        int m = 0;
        for (auto x : estratti)
            m += Segno[static_cast<uint8_t>(x)];
        return m;
    }
};

} // namespace

std::vector<RigaPerCaso> CopiaInSecondoElenco(const InputRicerca& in, const std::vector<Candidata>& righe) {
    std::vector<RigaPerCaso> lista(righe.size());
    const size_t casi = std::min<size_t>(in.Casi.size(), MassimoCasi);
    const auto eventi = EventiDeiCasi(in, casi);
    Giocati g;
    for (size_t r = 0; r < righe.size(); ++r) {
        const auto& z = righe[r];
        lista[r].Z = z;
        if (z.Vuota()) continue;
        lista[r].SecondoCop = z.Cop;
        for (size_t k = 0; k < casi; ++k) {
            g.Imposta(NumeriPerCaso(in.Casi[k].Parametro, z.A, z.B, z.C));
            for (const auto& e : eventi[k]) {
                const int m = g.Conta(*e.Estratti);
                if (m < 2) continue;
                // Only a count of exactly 3 is a terno mark; more (repeated drawn numbers) stays an ambo's.
                lista[r].Coperture[k] = static_cast<int8_t>(m == 3 ? 3 : 2);
                break;
            }
        }
    }
    return lista;
}

std::vector<ConteggioColpi> ContaPerColpo(const InputRicerca& in, const std::vector<Candidata>& righe) {
    std::vector<ConteggioColpi> conteggi(righe.size());
    const auto eventi = EventiDeiCasi(in, in.Casi.size());
    Giocati g;
    for (size_t r = 0; r < righe.size(); ++r) {
        const auto& z = righe[r];
        if (z.Vuota()) continue;
        auto& conta = conteggi[r];
        for (size_t k = 0; k < in.Casi.size(); ++k) {
            g.Imposta(NumeriPerCaso(in.Casi[k].Parametro, z.A, z.B, z.C));
            for (const auto& e : eventi[k]) {
                const int m = g.Conta(*e.Estratti);
                if (m < 2 || e.Colpo >= 20) continue;
                ++conta.Successi[static_cast<size_t>(e.Colpo)];
                if (m == 3) conta.Terno[static_cast<size_t>(e.Colpo)] = true;
            }
        }
    }
    return conteggi;
}

void Riordina(std::vector<RigaPerCaso>& righe, const std::vector<bool>& coperti, int numeroCasi) {
    uint32_t aperti = 0;
    for (int k = 0; k < std::clamp(numeroCasi, 0, MassimoCasi); ++k)
        if (!(static_cast<size_t>(k) < coperti.size() && coperti[static_cast<size_t>(k)])) aperti |= 1u << k;
    for (auto& r : righe) {
        uint32_t segnati = 0;
        for (int k = 0; k < MassimoCasi; ++k)
            if (r.Coperture[static_cast<size_t>(k)] != 0) segnati |= 1u << k;
        r.SecondoCop = std::popcount(segnati & aperti);
    }
    std::stable_sort(righe.begin(), righe.end(),
                     [](const RigaPerCaso& x, const RigaPerCaso& y) { return x.SecondoCop > y.SecondoCop; });
}

} // namespace trivalto
