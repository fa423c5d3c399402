// SPDX-License-Identifier: GPL-3.0-or-later
// The builder's search as literal loops: the pair pre-count, the lexicographic walk, Cop and Tot per
// terzina, a check of the stop flag every 3,000 terzine, strict-greater entry and a stable re-sort.
#include <algorithm>
#include <string>
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

    ris.Interrotta = !PercorriTerzine(in, ctl, PassoControlloCostruttore, [&](int a, int b, int c) {
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
    });
    return ris;
}

} // namespace trivalto

namespace trivalto {

namespace {

constexpr int Bianco = 0, Verde = 1, Arancio = 2;

/// The cells of a row of the list by colpo as the grid holds them.
std::vector<std::string> TestiRiga(const Candidata& z) {
    if (z.Vuota()) return std::vector<std::string>(7);
    return {std::to_string(z.Cop),
            std::to_string(z.Tot),
            std::to_string(z.A),
            std::to_string(z.B),
            std::to_string(z.C),
            std::to_string(z.Ambi),
            z.Terni ? std::to_string(z.Terni) : ""};
}

int Valore(const std::string& testo) {
    return testo.empty() ? 0 : std::stoi(testo);
}

/// Walks the play window of a case as the grid code does: draws up to the reference draw, wheels in order.
template <class F> void Finestra(const InputRicerca& in, const Caso& caso, int a, int b, int c, F&& f) {
    const ArchivioMemoria& ar = *in.Archivio;
    int giocati[3] = {(caso.Parametro + a) % 90, (caso.Parametro + b) % 90, (caso.Parametro + c) % 90};
    for (int& g : giocati)
        if (g == 0) g = 90;
    const int da = caso.Estrazione + in.Finestra.DaColpo;
    for (int j = da; j <= da + in.Finestra.Colpi - 1; ++j) {
        if (j > in.Finestra.FineVerifica || j > ar.NumeroEstrazioni) break;
        for (int w = 0; w < NumeroRuote; ++w) {
            if (!in.Ruote[w]) continue;
            int m = 0;
            for (int p = 0; p < 5; ++p) {
                const int x = ar.Estrazioni[j][w][p];
                if (x != 0 && (x == giocati[0] || x == giocati[1] || x == giocati[2])) ++m;
            }
            if (!f(j - da, m)) return;
        }
    }
}

} // namespace

std::vector<RigaPerCaso> CopiaInSecondoElencoRiferimento(const InputRicerca& in,
                                                         const std::vector<Candidata>& righe) {
    const size_t n = righe.size();
    std::vector<std::vector<std::string>> testo(n, std::vector<std::string>(37));
    std::vector<std::vector<int>> colore(n, std::vector<int>(37, Bianco));
    for (size_t r = 0; r < n; ++r) {
        const auto celle = TestiRiga(righe[r]);
        for (int c = 0; c < 7; ++c)
            testo[r][c] = celle[c];
    }
    const int casi = std::min<int>(static_cast<int>(in.Casi.size()), MassimoCasi);
    for (size_t r = 0; r < n; ++r) {
        if (testo[r][2].empty()) continue;
        const int a = Valore(testo[r][2]), b = Valore(testo[r][3]), c = Valore(testo[r][4]);
        for (int k = 1; k <= casi; ++k)
            Finestra(in, in.Casi[static_cast<size_t>(k - 1)], a, b, c, [&](int, int m) {
                if (m < 2) return true;
                testo[r][6 + k] = std::to_string(k);
                colore[r][6 + k] = m == 3 ? Arancio : Verde;
                return false;
            });
    }
    for (size_t r = 0; r < n; ++r)
        testo[r][6] = testo[r][0];
    std::vector<RigaPerCaso> lista(n);
    for (size_t r = 0; r < n; ++r) {
        lista[r].Z = righe[r];
        for (int k = 1; k <= MassimoCasi; ++k)
            lista[r].Coperture[static_cast<size_t>(k - 1)] =
                static_cast<int8_t>(colore[r][6 + k] == Arancio ? 3
                                    : colore[r][6 + k] == Verde ? 2
                                                                : 0);
        lista[r].SecondoCop = testo[r][6].empty() ? -1 : Valore(testo[r][6]);
    }
    return lista;
}

std::vector<ConteggioColpi> ContaPerColpoRiferimento(const InputRicerca& in,
                                                     const std::vector<Candidata>& righe) {
    const size_t n = righe.size();
    std::vector<std::vector<std::string>> testo(n, std::vector<std::string>(27));
    std::vector<std::vector<int>> colore(n, std::vector<int>(27, Bianco));
    for (size_t r = 0; r < n; ++r) {
        const auto celle = TestiRiga(righe[r]);
        for (int c = 0; c < 7; ++c)
            testo[r][c] = celle[c];
    }
    for (size_t r = 0; r < n; ++r) {
        if (testo[r][2].empty()) continue;
        const int a = Valore(testo[r][2]), b = Valore(testo[r][3]), c = Valore(testo[r][4]);
        for (const auto& caso : in.Casi)
            Finestra(in, caso, a, b, c, [&](int colpo, int m) {
                const int col = 7 + colpo;
                if (m >= 2 && col < 27) {
                    testo[r][col] = std::to_string(Valore(testo[r][col]) + 1);
                    if (m == 3) colore[r][col] = Verde;
                }
                return true;
            });
    }
    std::vector<ConteggioColpi> conteggi(n);
    for (size_t r = 0; r < n; ++r)
        for (int c = 0; c < 20; ++c) {
            conteggi[r].Successi[static_cast<size_t>(c)] = Valore(testo[r][7 + c]);
            conteggi[r].Terno[static_cast<size_t>(c)] = colore[r][7 + c] == Verde;
        }
    return conteggi;
}

void RiordinaRiferimento(std::vector<RigaPerCaso>& righe, const std::vector<bool>& copertiDalMetodo,
                         int numeroCasi) {
    bool coperto[MassimoCasi + 1] = {};
    for (int i = 1; i <= numeroCasi && i <= MassimoCasi; ++i)
        coperto[i] = static_cast<size_t>(i - 1) < copertiDalMetodo.size() && copertiDalMetodo[i - 1];
    for (auto& r : righe) {
        int conta = 0;
        for (int k = 1; k <= numeroCasi && k <= MassimoCasi; ++k)
            if (!coperto[k] && r.Coperture[static_cast<size_t>(k - 1)] != 0) ++conta;
        r.SecondoCop = conta;
    }
    // A numeric sort, largest first; rows of equal count keep their order.
    for (size_t i = 1; i < righe.size(); ++i)
        for (size_t j = i; j > 0 && righe[j - 1].SecondoCop < righe[j].SecondoCop; --j)
            std::swap(righe[j - 1], righe[j]);
}

} // namespace trivalto
