// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/VerificaRetroattiva.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/analysis/MigliorTerzina.h"
#include "core/analysis/Parallelo.h"
#include "core/analysis/SessioneAnalisi.h"
#include "core/analysis/Verifica.h"

namespace trivalto {

namespace {

/// The chosen terzine played from reference draw r, whose cases' first has `parametro`: the numbers,
/// the first draw that brings a hit with its best size, and the chance, which counts the whole window
/// as if the numbers had been chosen blindly.
void Gioca(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s, int r, int parametro,
           ProvaRetroattiva& prova) {
    prova.Riferimento = r;
    for (const auto& z : prova.Terzine)
        prova.Numeri.push_back(NumeriPerCaso(parametro, z.A, z.B, z.C));
    const int primo = r + s.DaColpo, ultimo = primo + s.Colpi - 1;
    int giocate = 0;
    for (int j = primo; j <= ultimo; ++j)
        for (int w = 0; w < NumeroRuote; ++w) {
            if (!s.Ruote[static_cast<size_t>(w)]) continue;
            const auto& estratti = a.Estrazioni[static_cast<size_t>(j)][static_cast<size_t>(w)];
            giocate += std::any_of(estratti.begin(), estratti.end(), [](auto x) { return x != 0; });
            if (prova.Vinta && prova.Colpo < j - primo + 1) continue;
            for (const auto& g : prova.Numeri) {
                const int m = ContaEsito(estratti, g);
                if (m >= 2 && std::min(m, 3) > prova.Sorte) {
                    prova.Vinta = true;
                    prova.Colpo = j - primo + 1;
                    prova.Sorte = std::min(m, 3);
                }
            }
        }
    prova.Probabilita = 1 - std::pow(1 - ProbabilitaSuccesso(prova.Numeri), giocate);
}

/// What the search of `in` chooses to play: the best terzina, or the terzine of the best combination.
bool Scegli(const InputRicerca& in, int K, ProvaRetroattiva& prova, const ControlloLavoro& ctl) {
    prova.Terzine = SessioneAnalisi::Su(in).Scegli(K, in.InteroPeriodo, in.Elenco, ctl);
    return !prova.Terzine.empty();
}

void PreparaRicerca(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s, int r, InputRicerca& in) {
    in.Archivio = &a;
    in.Ruote = s.Ruote;
    in.Finestra = {s.DaColpo, s.Colpi, r};
    in.InteroPeriodo = s.InteroPeriodo;
    in.Elenco = s.Elenco;
}

/// The chain at reference draw r as the analysis window runs it; false when r is not a case or nothing
/// can be played.
bool ProvaDiretta(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s, int r,
                  ProvaRetroattiva& prova, const ControlloLavoro& ctl) {
    SceltaCasi sc = s.Casi;
    sc.Riferimento = r;
    auto casi = GeneraCasi(a, sc);
    if (casi.empty() || casi.front().Estrazione != r) return false;
    if (r + s.DaColpo + s.Colpi - 1 > a.NumeroEstrazioni) return false;
    CalcolaParametri(a, casi, s.Parametro);
    InputRicerca in;
    in.Casi = casi;
    PreparaRicerca(a, s, r, in);
    if (!Scegli(in, s.K, prova, ctl)) return false;
    Gioca(a, s, r, casi.front().Parametro, prova);
    return true;
}

/// Buffers a trial borrows and the next one reuses.
struct SpazioProva {
    InputRicerca In;
    CercaMigliorTerzina Migliore;
};

/// The same trial with its cases cut from `tutti` (every case of the range, newest first, parameters
/// computed once): a case's draws and parameter do not depend on the reference draw, only which cases
/// are the latest. `j` is the reference draw's place in `tutti`.
bool ProvaVeloce(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s, const std::vector<Caso>& tutti,
                 size_t j, ProvaRetroattiva& prova, const ControlloLavoro& ctl, SpazioProva& spazio) {
    const int r = tutti[j].Estrazione;
    if (r + s.DaColpo + s.Colpi - 1 > a.NumeroEstrazioni) return false;
    auto& in = spazio.In;
    const size_t fine = std::min(tutti.size(), j + static_cast<size_t>(s.Casi.NumeroCasi));
    in.Casi.assign(tutti.begin() + static_cast<std::ptrdiff_t>(j),
                   tutti.begin() + static_cast<std::ptrdiff_t>(fine));
    PreparaRicerca(a, s, r, in);
    if (s.K > 0) {
        if (!Scegli(in, s.K, prova, ctl)) return false;
    } else {
        const auto m = spazio.Migliore(in, ctl);
        if (m.Interrotta || m.Migliore.Vuota()) return false;
        prova.Terzine = {m.Migliore};
    }
    Gioca(a, s, r, tutti[j].Parametro, prova);
    return true;
}

EsitoRetroattivo Verifica(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s,
                          const ControlloLavoro& ctl, bool diretta) {
    EsitoRetroattivo esito;
    const int da = std::max(s.Da, 1);
    const int fino = s.A > 0 ? std::min(s.A, a.NumeroEstrazioni) : a.NumeroEstrazioni;
    const int n = std::max(fino - da + 1, 0);
    // Place in `tutti` of each reference draw that is a case (-1 for the others).
    std::vector<Caso> tutti;
    std::vector<int> posto(static_cast<size_t>(n), -1);
    if (!diretta && n > 0 && s.Casi.NumeroCasi >= 1) {
        SceltaCasi sc = s.Casi;
        sc.Riferimento = fino;
        sc.NumeroCasi = std::numeric_limits<int>::max();
        tutti = GeneraCasi(a, sc);
        CalcolaParametri(a, tutti, s.Parametro);
        for (size_t j = 0; j < tutti.size() && tutti[j].Estrazione >= da; ++j)
            posto[static_cast<size_t>(tutti[j].Estrazione - da)] = static_cast<int>(j);
    }
    std::vector<ProvaRetroattiva> prove(static_cast<size_t>(n));
    std::vector<char> valide(static_cast<size_t>(n), 0);
    Scorta<SpazioProva> spazi;
    esito.Interrotta = PerOgniInParallelo(
        n, s.Thread, ctl,
        [&](int i, const ControlloLavoro& interno) {
            const auto k = static_cast<size_t>(i);
            if (diretta)
                valide[k] = ProvaDiretta(a, s, da + i, prove[k], interno);
            else if (posto[k] >= 0)
                valide[k] = ProvaVeloce(a, s, tutti, static_cast<size_t>(posto[k]), prove[k], interno,
                                        *spazi.Prendi());
        },
        50);
    std::vector<double> probabilita;
    for (int i = 0; i < n; ++i) {
        if (!valide[static_cast<size_t>(i)]) continue;
        auto& p = prove[static_cast<size_t>(i)];
        esito.Vincite += p.Vinta;
        esito.Attese += p.Probabilita;
        probabilita.push_back(p.Probabilita);
        esito.Prove.push_back(std::move(p));
    }
    esito.P = CodaPoissonBinomiale(probabilita, esito.Vincite);
    return esito;
}

} // namespace

EsitoRetroattivo VerificaRetroattiva(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s,
                                     const ControlloLavoro& ctl) {
    return Verifica(a, s, ctl, false);
}

EsitoRetroattivo VerificaRetroattivaDiretta(const ArchivioMemoria& a, const SceltaVerificaRetroattiva& s,
                                            const ControlloLavoro& ctl) {
    return Verifica(a, s, ctl, true);
}

TabellaTesto TabellaVerifica(const ArchivioMemoria& a, const EsitoRetroattivo& esito) {
    TabellaTesto t{"Rif|Data|Terzine|Numeri giocati|Esito|Colpo|Probabilità", {}};
    for (const auto& p : esito.Prove) {
        std::string terzine, numeri;
        for (size_t k = 0; k < p.Terzine.size(); ++k) {
            const auto& z = p.Terzine[k];
            terzine.append(k ? " / " : "")
                .append(std::to_string(z.A))
                .append("-")
                .append(std::to_string(z.B))
                .append("-")
                .append(std::to_string(z.C));
            const auto& g = p.Numeri[k];
            numeri.append(k ? " / " : "")
                .append(std::to_string(g[0]))
                .append(" ")
                .append(std::to_string(g[1]))
                .append(" ")
                .append(std::to_string(g[2]));
        }
        t.Righe.push_back({std::to_string(p.Riferimento),
                           a.DateEstrazioni[static_cast<size_t>(p.Riferimento)], terzine, numeri,
                           p.Vinta ? (p.Sorte == 3 ? "terno" : "ambo") : "-",
                           p.Vinta ? std::to_string(p.Colpo) : "", TestoDecimale(p.Probabilita, 4)});
    }
    return t;
}

TabellaTesto TabellaSintesi(const EsitoRetroattivo& esito) {
    const double quota = esito.Prove.empty()
                             ? 0
                             : static_cast<double>(esito.Vincite) / static_cast<double>(esito.Prove.size());
    return {"Voce|Valore",
            {{"Prove", std::to_string(esito.Prove.size())},
             {"Vincite", std::to_string(esito.Vincite)},
             {"Vincite attese", TestoDecimale(esito.Attese, 2)},
             {"Quota vincente", TestoDecimale(100 * quota, 1) + "%"},
             {"p", TestoDecimale(esito.P, 4)}}};
}

} // namespace trivalto
