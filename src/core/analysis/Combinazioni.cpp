// SPDX-License-Identifier: GPL-3.0-or-later
// The fast combination search: each row's covered cases as a bit mask (one walk per row and case),
// then a combination covers popcount(mask1 | mask2 | mask3) cases. The best rows are kept in
// buckets by coverage, the first found first, which equals the literal strict-greater entry.
#include "core/analysis/Combinazioni.h"

#include <algorithm>
#include <bit>
#include <stdexcept>

#include "core/analysis/Eventi.h"

namespace trivalto {

long long NumeroCombinazioni(int T, int K) {
    const long long t = T;
    if (K == 1) return t;
    if (K == 2) return t * (t - 1) / 2;
    return t * (t - 1) * (t - 2) / 6;
}

bool EliminaRigheSuccessive(std::vector<Terzina>& lista, int riga) {
    if (riga < 2 || riga > static_cast<int>(lista.size())) return false;
    lista.resize(static_cast<size_t>(riga - 1));
    return true;
}

namespace {

/// For each list row, the cases it covers: per case, the pairs of offsets that came out together
/// and the offsets drawn twice in one event decide every row at once.
std::vector<uint32_t> MaschereCopertura(const InputCombinazioni& in) {
    const ArchivioMemoria& ar = *in.Archivio;
    std::vector<uint32_t> maschere(in.Lista.size(), 0);
    std::vector<Evento> eventi;
    std::vector<uint8_t> coppie(91 * 91);
    std::array<uint8_t, 91> doppi{};
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        eventi.clear();
        EventiDelCaso(ar, in.Casi[i], in.Ruote, in.Finestra, in.Finestra.FineVerifica, eventi);
        std::fill(coppie.begin(), coppie.end(), 0);
        doppi.fill(0);
        for (const auto& ev : eventi)
            for (int u = 0; u < ev.k; ++u) {
                if (ev.m[u] >= 2) doppi[ev.s[u]] = 1;
                for (int v = u + 1; v < ev.k; ++v)
                    coppie[ev.s[u] * 91 + ev.s[v]] = 1;
            }
        for (size_t k = 0; k < in.Lista.size(); ++k) {
            int o[3] = {OffsetNormale(in.Lista[k].A), OffsetNormale(in.Lista[k].B),
                        OffsetNormale(in.Lista[k].C)};
            std::sort(o, o + 3);
            const auto coppia = [&](int x, int y) { return x != y && coppie[x * 91 + y]; };
            if (doppi[o[0]] || doppi[o[1]] || doppi[o[2]] || coppia(o[0], o[1]) || coppia(o[0], o[2]) ||
                coppia(o[1], o[2]))
                maschere[k] |= 1u << i;
        }
    }
    return maschere;
}

/// The best `posti` combinations by coverage, ties in the order met.
class Classifica {
public:
    Classifica(int posti, int massimo) : posti_(posti), secchi_(static_cast<size_t>(massimo) + 1) {}
    void Proponi(int cop, const std::array<int, 3>& righe) {
        if (cop <= soglia_) return;
        auto& s = secchi_[static_cast<size_t>(cop)];
        if (static_cast<int>(s.size()) >= posti_) return;
        s.push_back(righe);
        AlzaSoglia();
    }
    std::vector<Combinazione> Righe() const {
        std::vector<Combinazione> r;
        for (int v = static_cast<int>(secchi_.size()) - 1; v > 0 && static_cast<int>(r.size()) < posti_; --v)
            for (const auto& righe : secchi_[static_cast<size_t>(v)]) {
                if (static_cast<int>(r.size()) >= posti_) break;
                r.push_back({v, v, righe});
            }
        r.resize(static_cast<size_t>(posti_));
        return r;
    }

private:
    /// The highest coverage v with `posti` rows at v or above: later candidates at or below it
    /// would fall behind those rows, so they can be skipped.
    void AlzaSoglia() {
        int somma = 0;
        for (int v = static_cast<int>(secchi_.size()) - 1; v > soglia_; --v) {
            somma += static_cast<int>(secchi_[static_cast<size_t>(v)].size());
            if (somma >= posti_) {
                soglia_ = v;
                return;
            }
        }
    }
    int posti_;
    int soglia_ = 0;
    std::vector<std::vector<std::array<int, 3>>> secchi_;
};

} // namespace

RisultatoCombinazioni CercaCombinazioni(const InputCombinazioni& in, const ControlloLavoro& ctl) {
    if (in.Casi.size() > 32) throw std::invalid_argument("al massimo 32 casi");
    RisultatoCombinazioni ris;
    const int posti = std::max(in.Elenco - 1, 0);
    ris.Righe.assign(static_cast<size_t>(posti), Combinazione{});
    const int T = static_cast<int>(in.Lista.size());
    if (posti == 0 || T == 0) return ris;
    const auto m = MaschereCopertura(in);
    const auto ferma = [&] { return ctl.Interrompi && ctl.Interrompi->load(); };
    Classifica classifica(posti, static_cast<int>(in.Casi.size()));
    const auto fine = [&](bool interrotta) {
        ris.Righe = classifica.Righe();
        ris.Interrotta = interrotta;
        return ris;
    };

    int conta = 0;
    if (in.K == 1) {
        for (int k1 = 0; k1 < T; ++k1) {
            if (ctl.Progresso) ctl.Progresso(conta, T);
            ++conta;
            if (ferma()) return fine(true);
            classifica.Proponi(std::popcount(m[k1]), {k1, -1, -1});
        }
    } else if (in.K == 2) {
        const int totale = static_cast<int>(NumeroCombinazioni(T, 2));
        for (int k1 = 0; k1 < T; ++k1) {
            if (ctl.Progresso) ctl.Progresso(conta, totale);
            for (int k2 = k1 + 1; k2 < T; ++k2) {
                ++conta;
                if (ferma()) return fine(true);
                classifica.Proponi(std::popcount(m[k1] | m[k2]), {k1, k2, -1});
            }
        }
    } else {
        const int totale = static_cast<int>(NumeroCombinazioni(T, 3));
        for (int k1 = 0; k1 < T; ++k1)
            for (int k2 = k1 + 1; k2 < T; ++k2) {
                if (ferma()) return fine(true);
                const uint32_t m12 = m[k1] | m[k2];
                if (ctl.Progresso) {
                    // The literal search reports every 50th triple; report the last multiple this pair
                    // reaches.
                    const int dopo = conta + (T - k2 - 1);
                    if (dopo / 50 > conta / 50) ctl.Progresso(dopo / 50 * 50, totale);
                }
                for (int k3 = k2 + 1; k3 < T; ++k3)
                    classifica.Proponi(std::popcount(m12 | m[k3]), {k1, k2, k3});
                conta += T - k2 - 1;
            }
    }
    return fine(false);
}

} // namespace trivalto
