// SPDX-License-Identifier: GPL-3.0-or-later
// Without the whole period a terzina scores in a case when two of its offsets came out together in one
// of the case's events, so Pos(a, b, c) = |M(a,b) | M(a,c) | M(b,c)| over the cases' pair masks M.
// Only terzine holding a pair that came out score at all. Those holding two or three such pairs are met
// as wedges at their shared offset; those holding one score that pair's count, so the pair's
// lexicographically first terzina (which scores at least as much) stands for all of them. Repeated
// numbers in a wheel, the whole period, and pairs so many that the wedges outnumber the terzine go to
// CercaTerzine itself.
#include "core/analysis/MigliorTerzina.h"

#include <algorithm>
#include <tuple>

namespace trivalto {

namespace {

constexpr int Chiave(int x, int y) {
    return x * 91 + y;
}

// No hardware popcount is assumed in a portable build, and the library call costs more than this.
inline int Conta(uint32_t x) {
    x = x - ((x >> 1) & 0x55555555u);
    x = (x & 0x33333333u) + ((x >> 2) & 0x33333333u);
    return static_cast<int>((((x + (x >> 4)) & 0x0F0F0F0Fu) * 0x01010101u) >> 24);
}

struct Candidata {
    int Pos = 0, A = 0, B = 0, C = 0;
    /// Higher Pos first, then lexicographic order, as CercaTerzine ranks.
    bool BatteSu(const Candidata& m) const {
        if (Pos != m.Pos) return Pos > m.Pos;
        return std::tie(A, B, C) < std::tie(m.A, m.B, m.C);
    }
};

} // namespace

bool CercaMigliorTerzina::Raccogli(const InputRicerca& in) {
    const auto coperto = [&](size_t i) { return i < in.Coperti.size() && in.Coperti[i]; };
    esaminati_ = 0;
    for (size_t i = 0; i < in.Casi.size(); ++i)
        esaminati_ += !coperto(i);
    if (esaminati_ > MassimoCasi) return false;
    eventi_.clear();
    inizioCaso_.clear();
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        if (coperto(i)) continue;
        inizioCaso_.push_back(static_cast<uint32_t>(eventi_.size()));
        EventiDelCaso(*in.Archivio, in.Casi[i], in.Ruote, in.Finestra, in.Finestra.FineVerifica, eventi_);
    }
    inizioCaso_.push_back(static_cast<uint32_t>(eventi_.size()));
    if (std::any_of(eventi_.begin(), eventi_.end(), [](const Evento& ev) { return ev.doppi; })) return false;

    for (int k = 0; k < esaminati_; ++k) {
        const uint32_t bit = 1u << k;
        for (uint32_t e = inizioCaso_[static_cast<size_t>(k)]; e < inizioCaso_[static_cast<size_t>(k) + 1];
             ++e) {
            const auto& ev = eventi_[e];
            for (int u = 0; u < ev.k; ++u)
                for (int v = u + 1; v < ev.k; ++v) {
                    const int x = ev.s[u], y = ev.s[v]; // ascending
                    auto& m = maschera_[static_cast<size_t>(Chiave(x, y))];
                    if (m == 0) {
                        toccate_.push_back(static_cast<uint16_t>(Chiave(x, y)));
                        vicini_[static_cast<size_t>(x)][quantiVicini_[static_cast<size_t>(x)]++] =
                            static_cast<uint8_t>(y);
                        vicini_[static_cast<size_t>(y)][quantiVicini_[static_cast<size_t>(y)]++] =
                            static_cast<uint8_t>(x);
                    }
                    m |= bit;
                    maschera_[static_cast<size_t>(Chiave(y, x))] |= bit;
                    unione_[static_cast<size_t>(x)] |= bit;
                    unione_[static_cast<size_t>(y)] |= bit;
                }
        }
    }
    return true;
}

Terzina CercaMigliorTerzina::Scegli() const {
    Candidata m;
    for (const int chiave : toccate_) {
        const int x = chiave / 91, y = chiave % 91;
        Candidata c{Conta(maschera_[static_cast<size_t>(chiave)]), 1, x, y};
        if (x == 1) c = {c.Pos, 1, 2, y == 2 ? 3 : y};
        if (c.BatteSu(m)) m = c;
    }
    for (int v = 1; v <= 90; ++v) {
        const auto& vv = vicini_[static_cast<size_t>(v)];
        const int n = quantiVicini_[static_cast<size_t>(v)];
        const uint32_t* riga = &maschera_[static_cast<size_t>(Chiave(v, 0))];
        for (int i = 0; i < n; ++i) {
            const int x = vv[static_cast<size_t>(i)];
            // Every pair of (v, x, y) lies within the cases of v or of x: no better terzina here.
            if (Conta(unione_[static_cast<size_t>(v)] | unione_[static_cast<size_t>(x)]) < m.Pos) continue;
            const uint32_t mvx = riga[x];
            const uint32_t* rigaX = &maschera_[static_cast<size_t>(Chiave(x, 0))];
            for (int j = i + 1; j < n; ++j) {
                const int y = vv[static_cast<size_t>(j)];
                const int p = Conta(mvx | riga[y] | rigaX[y]);
                if (p < m.Pos) continue;
                int a = v, b = x, c = y;
                if (a > b) std::swap(a, b);
                if (b > c) std::swap(b, c);
                if (a > b) std::swap(a, b);
                const Candidata cand{p, a, b, c};
                if (cand.BatteSu(m)) m = cand;
            }
        }
    }
    Terzina z;
    if (m.Pos == 0) return z;
    z.A = m.A;
    z.B = m.B;
    z.C = m.C;
    z.Pos = m.Pos;
    z.Neg = esaminati_ - m.Pos;
    z.Terni = Terni(m.A, m.B, m.C);
    z.Ambi = z.Pos - z.Terni;
    return z;
}

/// The cases whose first success with (a, b, c) is a terno.
int CercaMigliorTerzina::Terni(int a, int b, int c) const {
    int terni = 0;
    for (int k = 0; k < esaminati_; ++k)
        for (uint32_t e = inizioCaso_[static_cast<size_t>(k)]; e < inizioCaso_[static_cast<size_t>(k) + 1];
             ++e) {
            const auto& ev = eventi_[e];
            int dentro = 0;
            for (int u = 0; u < ev.k; ++u)
                dentro += ev.s[u] == a || ev.s[u] == b || ev.s[u] == c;
            if (dentro < 2) continue;
            terni += dentro == 3;
            break;
        }
    return terni;
}

void CercaMigliorTerzina::Pulisci() {
    for (const int chiave : toccate_) {
        maschera_[static_cast<size_t>(chiave)] = 0;
        maschera_[static_cast<size_t>(Chiave(chiave % 91, chiave / 91))] = 0;
    }
    toccate_.clear();
    quantiVicini_.fill(0);
    unione_.fill(0);
}

EsitoMigliorTerzina CercaMigliorTerzina::operator()(const InputRicerca& input, const ControlloLavoro& ctl) {
    EsitoMigliorTerzina esito;
    if (input.Elenco <= 0) return esito;
    if (ctl.Interrompi && ctl.Interrompi->load()) {
        esito.Interrotta = true;
        return esito;
    }
    bool diretta = !input.InteroPeriodo && Raccogli(input);
    if (diretta) {
        long cunei = 0;
        for (int n : quantiVicini_)
            cunei += static_cast<long>(n) * (n - 1) / 2;
        diretta = cunei <= NumeroTerzine;
    }
    if (diretta) {
        esito.Migliore = Scegli();
        Pulisci();
        return esito;
    }
    Pulisci();
    auto primo = input;
    primo.Elenco = 1;
    const auto lista = CercaTerzine(primo, ctl);
    esito.Migliore = lista.Righe.front();
    esito.Interrotta = lista.Interrotta;
    return esito;
}

} // namespace trivalto
