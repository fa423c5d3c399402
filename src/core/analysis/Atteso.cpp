// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Atteso.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <mutex>
#include <random>

#include "core/analysis/Parallelo.h"
#include "core/analysis/SessioneAnalisi.h"

namespace trivalto {

namespace {

double Binomiale(int n, int k) {
    if (k < 0 || k > n) return 0;
    double r = 1;
    for (int i = 1; i <= k; ++i)
        r = r * (n - k + i) / i;
    return r;
}

bool RuotaConNumeri(const NumeriRuota& n) {
    return std::any_of(n.begin(), n.end(), [](auto x) { return x != 0; });
}

/// Draws of every case window, as the search reads them (up to the reference draw).
template <class F> void PerOgniGiocata(const InputRicerca& in, size_t caso, F&& f) {
    const ArchivioMemoria& ar = *in.Archivio;
    const auto w =
        FinestraDelCaso(in.Casi[caso], in.Finestra, std::min(in.Finestra.FineVerifica, ar.NumeroEstrazioni));
    for (int j = std::max(w.primo, 1); j <= w.ultimo; ++j)
        for (int r = 0; r < NumeroRuote; ++r)
            if (in.Ruote[static_cast<size_t>(r)]) f(j, r);
}

std::vector<int> GiocateDeiCasi(const InputRicerca& in, bool ancheCoperti) {
    std::vector<int> k(in.Casi.size(), 0);
    for (size_t i = 0; i < in.Casi.size(); ++i) {
        if (!ancheCoperti && i < in.Coperti.size() && in.Coperti[i]) continue;
        PerOgniGiocata(in, i, [&](int j, int r) { k[i] += RuotaConNumeri(in.Archivio->Estrazioni[j][r]); });
    }
    return k;
}

/// A generator of its own for each simulation: the same numbers whatever thread runs it.
std::mt19937_64 Generatore(uint64_t seme, int simulazione) {
    std::seed_seq seq{static_cast<uint32_t>(seme), static_cast<uint32_t>(seme >> 32),
                      static_cast<uint32_t>(simulazione), 0x7269u};
    return std::mt19937_64(seq);
}

/// The draw-wheels that the search reads: only they are replaced; empty wheels stay empty.
std::vector<std::pair<int, int>> GiocateLette(const InputRicerca& input) {
    std::vector<std::pair<int, int>> giocate;
    std::vector<char> visto(static_cast<size_t>(input.Archivio->NumeroEstrazioni + 1) * NumeroRuote, 0);
    for (size_t i = 0; i < input.Casi.size(); ++i)
        PerOgniGiocata(input, i, [&](int j, int r) {
            auto& v = visto[static_cast<size_t>(j) * NumeroRuote + static_cast<size_t>(r)];
            if (!v && RuotaConNumeri(input.Archivio->Estrazioni[j][r])) giocate.push_back({j, r});
            v = 1;
        });
    return giocate;
}

void Simula(ArchivioMemoria& copia, const std::vector<std::pair<int, int>>& giocate, std::mt19937_64& gen) {
    for (const auto& [j, r] : giocate)
        copia.Estrazioni[static_cast<size_t>(j)][static_cast<size_t>(r)] = EstrazioneCasuale(gen);
}

} // namespace

NumeriRuota EstrazioneCasuale(std::mt19937_64& generatore) {
    // Five distinct numbers: the first five places of a partial shuffle.
    std::array<int, 90> urna;
    for (int x = 0; x < 90; ++x)
        urna[static_cast<size_t>(x)] = x + 1;
    NumeriRuota estratti{};
    for (int p = 0; p < NumeriPerRuota; ++p) {
        std::uniform_int_distribution<int> scegli(p, 89);
        std::swap(urna[static_cast<size_t>(p)], urna[static_cast<size_t>(scegli(generatore))]);
        estratti[static_cast<size_t>(p)] = static_cast<int16_t>(urna[static_cast<size_t>(p)]);
    }
    return estratti;
}

ArchivioMemoria ArchivioSimulato(const InputRicerca& in, uint64_t seme, int simulazione) {
    ArchivioMemoria copia = *in.Archivio;
    auto gen = Generatore(seme, simulazione);
    Simula(copia, GiocateLette(in), gen);
    return copia;
}

double ProbabilitaSuccesso(const std::vector<NumeriGiocati>& terzine) {
    // Only which of the played numbers come out matters: every set S of them (|S| <= 5) stands for
    // C(90 - |U|, 5 - |S|) draws. The sets are walked up to five numbers, so a play of many terzine
    // costs C(|U|, <=5) steps instead of 2^|U|.
    std::vector<int> numeri;
    for (const auto& t : terzine)
        for (int x : t)
            if (std::find(numeri.begin(), numeri.end(), x) == numeri.end()) numeri.push_back(x);
    const int u = static_cast<int>(numeri.size());
    // For each played number, the terzine that hold it (a terzina wins with two of its numbers out).
    std::vector<std::vector<size_t>> dove(numeri.size());
    for (size_t t = 0; t < terzine.size(); ++t)
        for (int x : terzine[t])
            dove[static_cast<size_t>(std::find(numeri.begin(), numeri.end(), x) - numeri.begin())].push_back(
                t);
    std::vector<int> usciti(terzine.size(), 0);
    double favorevoli = 0;
    const auto visita = [&](auto&& self, int da, int quanti, int vincenti) -> void {
        if (vincenti > 0) favorevoli += Binomiale(90 - u, 5 - quanti);
        if (quanti == 5) return;
        for (int i = da; i < u; ++i) {
            int nuove = 0;
            for (size_t t : dove[static_cast<size_t>(i)])
                nuove += ++usciti[t] == 2;
            self(self, i + 1, quanti + 1, vincenti + nuove);
            for (size_t t : dove[static_cast<size_t>(i)])
                --usciti[t];
        }
    };
    visita(visita, 0, 0, 0);
    return favorevoli / Binomiale(90, 5);
}

double ProbabilitaDisgiunte(int K) {
    if (K <= 0) return 0;
    std::vector<NumeriGiocati> terzine;
    for (int t = 0; t < K; ++t)
        terzine.push_back({3 * t + 1, 3 * t + 2, 3 * t + 3});
    return ProbabilitaSuccesso(terzine);
}

std::vector<int> GiocatePerCaso(const InputRicerca& in) {
    return GiocateDeiCasi(in, false);
}

Atteso CalcolaAtteso(const InputRicerca& in, int K) {
    Atteso a;
    const double p = ProbabilitaDisgiunte(1);
    for (int k : GiocateDeiCasi(in, false))
        a.Pos += in.InteroPeriodo ? k * p : 1 - std::pow(1 - p, k);
    if (K > 0) {
        // A combination counts every case, covered or not, at its first success.
        const double pk = ProbabilitaDisgiunte(K);
        for (int k : GiocateDeiCasi(in, true))
            a.Cop += 1 - std::pow(1 - pk, k);
    }
    return a;
}

EsitoSimulazione SimulaMigliori(const InputRicerca& input, const SceltaSimulazione& scelta,
                                const ControlloLavoro& ctl) {
    const int n = std::max(scelta.Simulazioni, 0);
    EsitoSimulazione esito;
    esito.TopPos.assign(static_cast<size_t>(n), 0);
    if (scelta.K > 0) esito.TopCop.assign(static_cast<size_t>(n), 0);
    if (n == 0 || !input.Archivio) return esito;

    const auto giocate = GiocateLette(input);
    // Each simulation rewrites the same draw-wheels of a whole archive copy: copies are kept for
    // reuse, so there are never more of them than simulations running at once.
    std::mutex libere;
    std::vector<std::unique_ptr<ArchivioMemoria>> copie;
    const auto prendi = [&] {
        std::lock_guard<std::mutex> l(libere);
        if (copie.empty()) return std::make_unique<ArchivioMemoria>(*input.Archivio);
        auto c = std::move(copie.back());
        copie.pop_back();
        return c;
    };
    const auto rendi = [&](std::unique_ptr<ArchivioMemoria> c) {
        std::lock_guard<std::mutex> l(libere);
        copie.push_back(std::move(c));
    };
    std::atomic<bool> fermata{false};
    const auto simula = [&](int s, ArchivioMemoria& copia, const ControlloLavoro& interno) {
        InputRicerca in = input;
        in.Archivio = &copia;
        auto gen = Generatore(scelta.Seme, s);
        Simula(copia, giocate, gen);
        // The same chain as on the real draws, on the simulated ones.
        auto sessione = SessioneAnalisi::Su(in);
        const auto& lista = sessione.CercaTerzine(in.Ruote, in.InteroPeriodo, in.Elenco, interno);
        if (!sessione.ListaCompleta()) {
            fermata = true;
            return;
        }
        esito.TopPos[static_cast<size_t>(s)] = lista.empty() ? 0 : lista[0].Pos;
        if (scelta.K == 0) return;
        const auto& comb = sessione.CercaCombinazioni(scelta.K, in.Elenco, interno);
        if (!sessione.CombinazioniComplete())
            fermata = true;
        else
            esito.TopCop[static_cast<size_t>(s)] = comb.empty() ? 0 : comb[0].Cop;
    };
    const bool interrotto =
        PerOgniInParallelo(n, scelta.Thread, ctl, [&](int s, const ControlloLavoro& interno) {
            auto copia = prendi();
            simula(s, *copia, interno);
            rendi(std::move(copia));
        });
    esito.Interrotta = interrotto || fermata;
    return esito;
}

Significativita Confronta(const std::vector<int>& simulati, int osservato) {
    Significativita s;
    s.Osservato = osservato;
    if (simulati.empty()) return s;
    auto v = simulati;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    s.Mediana = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
    // Nearest rank: the smallest value that at least 95% of the simulations do not exceed.
    s.Percentile95 = v[static_cast<size_t>(std::ceil(0.95 * static_cast<double>(n))) - 1];
    s.P = static_cast<double>(std::count_if(v.begin(), v.end(), [&](int x) { return x >= osservato; })) /
          static_cast<double>(n);
    return s;
}

double CodaPoissonBinomiale(const std::vector<double>& probabilita, int k) {
    if (k <= 0) return 1;
    // dist[x]: the chance of exactly x successes so far.
    std::vector<double> dist(probabilita.size() + 1, 0);
    dist[0] = 1;
    size_t fatte = 0;
    for (double p : probabilita) {
        ++fatte;
        for (size_t x = fatte; x > 0; --x)
            dist[x] = dist[x] * (1 - p) + dist[x - 1] * p;
        dist[0] *= 1 - p;
    }
    double coda = 0;
    for (size_t x = static_cast<size_t>(k); x < dist.size(); ++x)
        coda += dist[x];
    return std::min(coda, 1.0);
}

} // namespace trivalto
