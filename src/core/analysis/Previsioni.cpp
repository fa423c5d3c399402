// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/Previsioni.h"

#include <algorithm>
#include <map>

namespace trivalto {

namespace {

/// Passo 4: the rows of one case, terzina after terzina, each success on a row of its own.
void RigheDelCaso(const InputPrevisioni& in, int fine, int i, RisultatoPrevisioni& ris) {
    const ArchivioMemoria& ar = *in.Archivio;
    const auto& caso = in.Casi[static_cast<size_t>(i)];
    RigaPrevisione separatore;
    separatore.Separatore = true;
    ris.Righe.push_back(separatore);
    const auto f = FinestraDelCaso(caso, in.Finestra, fine);
    for (size_t t = 0; t < in.Terzine.size(); ++t) {
        RigaPrevisione base;
        base.Caso = i + 1;
        base.Estrazione = caso.Estrazione;
        base.NumeroTerzina = static_cast<int>(t) + 1;
        base.Numeri = NumeriPerCaso(caso.Parametro, in.Terzine[t].A, in.Terzine[t].B, in.Terzine[t].C);
        ris.Righe.push_back(base);
        int ordinale = 0;
        for (int j = f.primo; j <= f.ultimo; ++j) {
            bool successo = false;
            for (int w = 0; w < NumeroRuote; ++w) {
                if (!in.Ruote[w]) continue;
                const auto& estratti = ar.Estrazioni[j][w];
                const auto esito = Usciti(estratti, base.Numeri);
                if (esito.Quanti < 2) continue;
                if (ordinale > 0) ris.Righe.push_back(base);
                auto& r = ris.Righe.back();
                r.Ordinale = ++ordinale;
                r.Esito = esito.Testo;
                r.Sorte = esito.Quanti;
                r.Ruota = w;
                r.Colpo = j - f.primo + 1;
                ris.Segni[static_cast<size_t>(i)].Primo = SegniCaso::Stato::Verde;
                ris.Segni[static_cast<size_t>(i)].Arancio[t] = true;
                successo = true;
            }
            if (successo && !in.InteroPeriodo) break;
        }
    }
}

} // namespace

RisultatoPrevisioni FaiPrevisioni(const InputPrevisioni& in) {
    const ArchivioMemoria& ar = *in.Archivio;
    RisultatoPrevisioni ris;
    const int n = static_cast<int>(in.Casi.size());
    if (n == 0 || in.Terzine.size() > MassimoTerzineMetodo) return ris;
    ris.Segni.assign(static_cast<size_t>(n), SegniCaso{});
    const int riferimento = in.Finestra.FineVerifica;
    const int fine = in.VerificaEstesa ? ar.NumeroEstrazioni : std::min(riferimento, ar.NumeroEstrazioni);
    for (int i = 0; i < n; ++i)
        RigheDelCaso(in, fine, i, ris);
    ris.Righe.erase(ris.Righe.begin());
    // An empty method leaves only separators: nothing to show.
    if (in.Terzine.empty()) ris.Righe.clear();
    if (in.SoloRighe) return ris;

    // Passo 6: the earliest colpo of each case; later successes lose their colpo unless the whole
    // period is checked.
    std::map<int, int> primoColpo;
    for (const auto& r : ris.Righe)
        if (!r.Separatore && r.Colpo > 0) {
            auto [it, nuovo] = primoColpo.try_emplace(r.Caso, r.Colpo);
            if (!nuovo) it->second = std::min(it->second, r.Colpo);
        }
    for (auto& r : ris.Righe) {
        if (r.Separatore || r.Colpo == 0) continue;
        const int minimo = primoColpo[r.Caso];
        if (in.Evidenzia && r.Colpo == minimo) r.ColpoEvidenziato = true;
        if (!in.InteroPeriodo && r.Colpo > minimo) r.Colpo = 0;
    }

    // Passo 7: cases whose play window reaches past the reference draw and not yet covered.
    for (int i = 0; i < n; ++i) {
        auto& s = ris.Segni[static_cast<size_t>(i)];
        const auto& caso = in.Casi[static_cast<size_t>(i)];
        if (s.Primo != SegniCaso::Stato::Verde &&
            caso.Estrazione + in.Finestra.DaColpo + in.Finestra.Colpi - 1 > riferimento)
            s.Primo = SegniCaso::Stato::Ciano;
    }

    // Tidy: a success whose colpo was emptied loses its outcome too; then the statistics row.
    for (auto& r : ris.Righe)
        if (!r.Esito.empty() && r.Colpo == 0) r.Esito.clear(), r.Sorte = 0;
    auto& st = ris.Riepilogo;
    st.Casi = n;
    for (int i = 0; i < n; ++i) {
        const auto stato = ris.Segni[static_cast<size_t>(i)].Primo;
        st.Coperti += stato == SegniCaso::Stato::Verde;
        st.InGioco += stato == SegniCaso::Stato::Ciano;
        // The last case row's draw cell is cyan when it is the archive's last draw; such a row is
        // not white in both first cells, so it is not negative.
        const bool estrazioneCiano =
            i == n - 1 && in.Casi[static_cast<size_t>(i)].Estrazione == ar.NumeroEstrazioni;
        st.Neg += stato == SegniCaso::Stato::Bianco && !estrazioneCiano;
    }
    for (const auto& r : ris.Righe) {
        st.Ambi += r.Sorte == 2;
        st.Terni += r.Sorte == 3;
    }
    st.Pos = st.Ambi + st.Terni;
    return ris;
}

std::vector<int> NumeriMarcati(const std::vector<RigaPrevisione>& righe, int caso) {
    std::vector<int> numeri;
    for (const auto& r : righe)
        if (!r.Separatore && r.Caso == caso)
            for (int x : r.Numeri)
                if (std::find(numeri.begin(), numeri.end(), x) == numeri.end()) numeri.push_back(x);
    return numeri;
}

TabellaRitardi CalcolaRitardi(const ArchivioMemoria& ar, int d) {
    TabellaRitardi t;
    t.Estrazione = d;
    // Positions of the model list whose draws are at or before d; the delay counts those.
    int pd = 0;
    while (pd < ar.FineModello && ar.IndiciModello[static_cast<size_t>(pd) + 1] <= d)
        ++pd;
    std::array<std::array<int, NumeroRuote>, 91> ultima{}; // 0 = not seen
    int mancanti = 90 * NumeroRuote;
    for (int p = pd; p >= 1 && mancanti > 0; --p) {
        const auto& e = ar.Estrazioni[static_cast<size_t>(ar.IndiciModello[static_cast<size_t>(p)])];
        for (int w = 0; w < NumeroRuote; ++w)
            for (auto x : e[w])
                if (x >= 1 && x <= 90 && ultima[x][w] == 0) {
                    ultima[x][w] = p;
                    --mancanti;
                }
    }
    for (int n = 1; n <= 90; ++n)
        for (int w = 0; w < NumeroRuote; ++w)
            t.Ritardi[n][w] = pd - ultima[n][w];
    return t;
}

} // namespace trivalto
