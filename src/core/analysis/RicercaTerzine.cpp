// SPDX-License-Identifier: GPL-3.0-or-later
// The fast terzine search. Instead of judging 117,480 terzine case by case, it walks each case's
// play window once and records, per pair of offsets, the cases in which it came out (a 30-bit
// mask), the first event that brought it and how often it came out; a terzina's result is then
// read from its three pairs. Drawn numbers repeated within one wheel (never in real draws, but
// possible in a damaged archive) are handled on a slow path so results stay exact.
#include <algorithm>
#include <bit>
#include <cstdint>
#include <stdexcept>
#include <vector>

#include "core/analysis/Eventi.h"
#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

namespace {

static_assert(MassimoCasi <= 31, "case masks use bits 0..30, bit 31 is the pre-count flag");
constexpr uint32_t BitPrecount = 1u << 31;
constexpr int16_t Mai = INT16_MAX;

inline int Chiave(int x, int y) {
    return x * 91 + y;
}

/// Lexicographic index of (a, b, c), a < b < c.
struct IndiciTerzine {
    std::array<int, 91 * 91> base{};
    IndiciTerzine() {
        int t = 0;
        for (int a = 1; a <= 88; ++a)
            for (int b = a + 1; b <= 89; ++b) {
                base[Chiave(a, b)] = t;
                t += 90 - b;
            }
    }
    int operator()(int a, int b, int c) const { return base[Chiave(a, b)] + (c - b - 1); }
};

const IndiciTerzine& Indice() {
    static const IndiciTerzine indici;
    return indici;
}

/// Inverse of IndiciTerzine.
void DecodificaIndice(int i, int& a, int& b, int& c) {
    a = 1;
    for (int conta = (89 - a) * (90 - a) / 2; i >= conta; conta = (89 - a) * (90 - a) / 2) {
        i -= conta;
        ++a;
    }
    b = a + 1;
    while (i >= 90 - b) {
        i -= 90 - b;
        ++b;
    }
    c = b + 1 + i;
}

inline void Ordina3(int& a, int& b, int& c) {
    if (a > b) std::swap(a, b);
    if (b > c) std::swap(b, c);
    if (a > b) std::swap(a, b);
}

class Ricerca {
public:
    explicit Ricerca(const InputRicerca& in) : in_(in), ar_(*in.Archivio) {}

    RisultatoTerzine Esegui(const ControlloLavoro& ctl);

private:
    void CostruisciEventi(const Caso& caso);
    void RegistraCaso(uint32_t bit);
    void TerniPrimoSuccesso();
    void SuccessiDoppi(const Evento& ev);
    int PrimoSuccesso(int a, int b, int c) const;
    template <class F> void PerTerzineConSuccesso(const Evento& ev, int soglia, F&& f) const;

    const InputRicerca& in_;
    const ArchivioMemoria& ar_;
    std::vector<Evento> eventi_;
    uint32_t timbro_ = 0;
    size_t eventiTotali_ = 0;

    // Over all cases.
    std::vector<uint32_t> maschera_ = std::vector<uint32_t>(91 * 91, 0); // cases bits | pre-count flag
    std::array<uint32_t, 91> mascheraDoppi_{};
    std::vector<uint32_t> conteggio_; // whole period: events per pair (events without repeats)
    std::vector<uint32_t> triple_;    // whole period: events holding the terzina
    std::vector<uint32_t> ambiD_, terniD_;

    // Per case: first event of each pair and of each repeated offset.
    std::vector<uint32_t> timbroCoppia_ = std::vector<uint32_t>(91 * 91, 0);
    std::vector<int16_t> primoCoppia_ = std::vector<int16_t>(91 * 91, Mai);
    std::array<uint32_t, 91> timbroDoppio_{};
    std::array<int16_t, 91> primoDoppio_{};
};

void Ricerca::CostruisciEventi(const Caso& caso) {
    eventi_.clear();
    EventiDelCaso(ar_, caso, in_.Ruote, in_.Finestra, in_.Finestra.FineVerifica, eventi_);
    eventiTotali_ += eventi_.size();
    for (const auto& ev : eventi_)
        for (int p = 0; p < 5; ++p)
            for (int q = p + 1; q < 5; ++q)
                if (ev.pre[p] != ev.pre[q])
                    maschera_[Chiave(std::min(ev.pre[p], ev.pre[q]), std::max(ev.pre[p], ev.pre[q]))] |=
                        BitPrecount;
}

void Ricerca::RegistraCaso(uint32_t bit) {
    const bool intero = in_.InteroPeriodo;
    const auto& idx = Indice();
    for (size_t e = 0; e < eventi_.size(); ++e) {
        const auto& ev = eventi_[e];
        for (int u = 0; u < ev.k; ++u)
            for (int v = u + 1; v < ev.k; ++v) {
                const int key = Chiave(ev.s[u], ev.s[v]);
                if (timbroCoppia_[key] != timbro_) {
                    timbroCoppia_[key] = timbro_;
                    primoCoppia_[key] = static_cast<int16_t>(e);
                    maschera_[key] |= bit;
                }
                if (intero && !ev.doppi) ++conteggio_[key];
            }
        if (ev.doppi)
            for (int u = 0; u < ev.k; ++u)
                if (ev.m[u] >= 2) {
                    if (timbroDoppio_[ev.s[u]] != timbro_) {
                        timbroDoppio_[ev.s[u]] = timbro_;
                        primoDoppio_[ev.s[u]] = static_cast<int16_t>(e);
                    }
                    mascheraDoppi_[ev.s[u]] |= bit;
                }
        if (!intero) continue;
        if (!ev.doppi) {
            for (int u = 0; u < ev.k; ++u)
                for (int v = u + 1; v < ev.k; ++v)
                    for (int w = v + 1; w < ev.k; ++w)
                        ++triple_[idx(ev.s[u], ev.s[v], ev.s[w])];
        } else {
            SuccessiDoppi(ev);
        }
    }
    if (!intero) TerniPrimoSuccesso();
}

int Ricerca::PrimoSuccesso(int a, int b, int c) const {
    const auto coppia = [&](int x, int y) {
        const int key = Chiave(x, y);
        return timbroCoppia_[key] == timbro_ ? primoCoppia_[key] : Mai;
    };
    const auto doppio = [&](int x) { return timbroDoppio_[x] == timbro_ ? primoDoppio_[x] : Mai; };
    return std::min({coppia(a, b), coppia(a, c), coppia(b, c), doppio(a), doppio(b), doppio(c)});
}

/// Calls f(a, b, c, count) for every terzina whose count in the event is at least `soglia` (2 or 3).
template <class F> void Ricerca::PerTerzineConSuccesso(const Evento& ev, int soglia, F&& f) const {
    std::array<bool, 91> inS{};
    for (int u = 0; u < ev.k; ++u)
        inS[ev.s[u]] = true;
    for (int u = 0; u < ev.k; ++u)
        for (int v = u + 1; v < ev.k; ++v)
            for (int w = v + 1; w < ev.k; ++w)
                f(ev.s[u], ev.s[v], ev.s[w], ev.m[u] + ev.m[v] + ev.m[w]);
    if (!ev.doppi && soglia == 3) return;
    for (int u = 0; u < ev.k; ++u)
        for (int v = u + 1; v < ev.k; ++v) {
            const int conta = ev.m[u] + ev.m[v];
            if (conta < soglia) continue;
            for (int x = 1; x <= 90; ++x) {
                if (inS[x]) continue;
                int a = ev.s[u], b = ev.s[v], c = x;
                Ordina3(a, b, c);
                f(a, b, c, conta);
            }
        }
    for (int u = 0; u < ev.k; ++u) {
        if (ev.m[u] < 2 || ev.m[u] < soglia) continue;
        for (int x = 1; x <= 90; ++x)
            for (int y = x + 1; y <= 90; ++y) {
                if (inS[x] || inS[y]) continue;
                int a = ev.s[u], b = x, c = y;
                Ordina3(a, b, c);
                f(a, b, c, ev.m[u]);
            }
    }
}

void Ricerca::SuccessiDoppi(const Evento& ev) {
    const auto& idx = Indice();
    PerTerzineConSuccesso(
        ev, 2, [&](int a, int b, int c, int conta) { ++(conta == 2 ? ambiD_ : terniD_)[idx(a, b, c)]; });
}

void Ricerca::TerniPrimoSuccesso() {
    const auto& idx = Indice();
    for (size_t e = 0; e < eventi_.size(); ++e)
        PerTerzineConSuccesso(eventi_[e], 3, [&](int a, int b, int c, int) {
            if (PrimoSuccesso(a, b, c) == static_cast<int>(e)) ++terniD_[idx(a, b, c)];
        });
}

RisultatoTerzine Ricerca::Esegui(const ControlloLavoro& ctl) {
    RisultatoTerzine ris;
    const int elenco = std::max(in_.Elenco, 0);
    ris.Righe.assign(static_cast<size_t>(elenco), Terzina{});
    if (elenco == 0) return ris;
    const bool intero = in_.InteroPeriodo;
    if (intero) {
        conteggio_.assign(91 * 91, 0);
        triple_.assign(NumeroTerzine, 0);
        ambiD_.assign(NumeroTerzine, 0);
    }
    terniD_.assign(NumeroTerzine, 0);

    int esaminati = 0;
    for (size_t i = 0; i < in_.Casi.size(); ++i) {
        if (i < in_.Coperti.size() && in_.Coperti[i]) continue;
        ++timbro_;
        CostruisciEventi(in_.Casi[i]);
        RegistraCaso(1u << esaminati);
        ++esaminati;
    }
    for (int x = 1; x <= 90; ++x)
        for (int y = x + 1; y <= 90; ++y)
            maschera_[Chiave(x, y)] |= mascheraDoppi_[x] | mascheraDoppi_[y];

    // Pos of every terzina that passes the pre-count (0 otherwise), and a histogram of Pos values.
    std::vector<uint16_t> pos(NumeroTerzine, 0);
    std::vector<int> istogramma(eventiTotali_ + 2, 0);
    const int passo = std::max(in_.PassoControllo, 1);
    int t = 0, limite = NumeroTerzine, prossimoControllo = passo;
    for (int a = 1; a <= 88 && t < limite; ++a)
        for (int b = a + 1; b <= 89 && t < limite; ++b) {
            const uint32_t mab = maschera_[Chiave(a, b)];
            const uint32_t cab = intero ? conteggio_[Chiave(a, b)] : 0;
            for (int c = b + 1; c <= 90; ++c, ++t) {
                if (t + 1 == prossimoControllo) {
                    prossimoControllo += passo;
                    if (ctl.Progresso) ctl.Progresso((t + 1) / 10, NumeroTerzine / 10);
                    if (ctl.Interrompi && ctl.Interrompi->load()) {
                        ris.Interrotta = true;
                        limite = t;
                        break;
                    }
                }
                const uint32_t m = mab | maschera_[Chiave(a, c)] | maschera_[Chiave(b, c)];
                if (!(m & BitPrecount)) continue;
                int p;
                if (intero) {
                    p = static_cast<int>(cab + conteggio_[Chiave(a, c)] + conteggio_[Chiave(b, c)] -
                                         2 * triple_[t] + ambiD_[t] + terniD_[t]);
                } else {
                    p = std::popcount(m & ~BitPrecount);
                }
                if (p <= 0) continue;
                pos[t] = static_cast<uint16_t>(p);
                ++istogramma[static_cast<size_t>(p)];
            }
        }

    // The list equals the best `elenco` by Pos, ties in lexicographic order.
    int soglia = static_cast<int>(istogramma.size()) - 1, sopra = 0;
    while (soglia > 0 && sopra + istogramma[soglia] < elenco)
        sopra += istogramma[soglia--];
    int postiSoglia = elenco - sopra;
    std::vector<std::pair<int, int>> scelte; // (Pos, index)
    for (int i = 0; i < limite; ++i) {
        const int p = pos[i];
        if (p == 0 || p < soglia) continue;
        if (p == soglia && soglia > 0) {
            if (postiSoglia == 0) continue;
            --postiSoglia;
        }
        scelte.emplace_back(p, i);
    }
    std::stable_sort(scelte.begin(), scelte.end(), [](auto& x, auto& y) { return x.first > y.first; });

    for (size_t s = 0; s < scelte.size(); ++s) {
        const int i = scelte[s].second;
        Terzina& z = ris.Righe[s];
        DecodificaIndice(i, z.A, z.B, z.C);
        z.Pos = scelte[s].first;
        const uint32_t m =
            maschera_[Chiave(z.A, z.B)] | maschera_[Chiave(z.A, z.C)] | maschera_[Chiave(z.B, z.C)];
        z.Neg = esaminati - std::popcount(m & ~BitPrecount);
        z.Terni = static_cast<int>((intero ? triple_[i] : 0) + terniD_[i]);
        z.Ambi = z.Pos - z.Terni;
    }
    return ris;
}

} // namespace

RisultatoTerzine CercaTerzine(const InputRicerca& input, const ControlloLavoro& controllo) {
    int daEsaminare = 0;
    for (size_t i = 0; i < input.Casi.size(); ++i)
        daEsaminare += !(i < input.Coperti.size() && input.Coperti[i]);
    if (daEsaminare > MassimoCasi) throw std::invalid_argument("al massimo 30 casi");
    Ricerca ricerca(input);
    return ricerca.Esegui(controllo);
}

} // namespace trivalto
