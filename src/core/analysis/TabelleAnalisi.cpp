// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/TabelleAnalisi.h"

#include <algorithm>
#include <cstdio>

namespace trivalto {

std::vector<std::string> DividiTesto(const std::string& testo, char separatore) {
    std::vector<std::string> parti(1);
    for (char ch : testo) {
        if (ch == separatore)
            parti.emplace_back();
        else
            parti.back() += ch;
    }
    return parti;
}

TabellaTesto TabellaCasi(const ArchivioMemoria& archivio, const std::vector<Caso>& casi) {
    TabellaTesto t{IntestazioneCasi, {}};
    int pro = 0;
    for (const auto& caso : casi) {
        std::vector<std::string> r(14);
        r[CPro] = std::to_string(++pro);
        r[CEstr] = std::to_string(caso.Estrazione);
        r[CData] = archivio.DateEstrazioni[caso.Estrazione];
        r[CR1] = std::string(CodiciRuote[caso.Ruota]);
        r[CR1N] = std::to_string(caso.Ruota);
        r[CPar] = std::to_string(caso.Parametro);
        const auto& numeri = archivio.Numeri(caso.Estrazione, caso.Ruota);
        for (int p = 0; p < 5; ++p)
            r[CN1 + p] = std::to_string(numeri[p]);
        t.Righe.push_back(std::move(r));
    }
    return t;
}

std::vector<std::string> CelleTerzina(const Terzina& z) {
    if (z.Vuota()) return std::vector<std::string>(7);
    return {std::to_string(z.Pos),
            std::to_string(z.Neg),
            std::to_string(z.A),
            std::to_string(z.B),
            std::to_string(z.C),
            std::to_string(z.Ambi),
            z.Terni ? std::to_string(z.Terni) : ""};
}

TabellaTesto TabellaTerzine(const std::vector<Terzina>& righe) {
    TabellaTesto t{IntestazioneTerzine, {}};
    for (const auto& z : righe)
        t.Righe.push_back(CelleTerzina(z));
    return t;
}

namespace {
std::string Numero(int n) {
    return n ? std::to_string(n) : std::string();
}
} // namespace

TabellaTesto TabellaCombinazioni(const std::vector<Combinazione>& righe, const std::vector<Terzina>& lista) {
    TabellaTesto t{IntestazioneCombinazioni, {}};
    for (const auto& c : righe) {
        std::vector<std::string> r(23);
        if (!c.Vuota()) {
            r[0] = std::to_string(c.Esiti);
            r[1] = std::to_string(c.Cop);
            for (int g = 0; g < 3; ++g) {
                if (c.Righe[g] < 0 || c.Righe[g] >= static_cast<int>(lista.size())) continue;
                const auto celle = CelleTerzina(lista[static_cast<size_t>(c.Righe[g])]);
                std::copy(celle.begin(), celle.end(), r.begin() + 2 + 7 * g);
            }
        }
        t.Righe.push_back(std::move(r));
    }
    return t;
}

TabellaTesto TabellaDettaglio(const std::vector<DettaglioTerzina>& dettagli) {
    TabellaTesto t{IntestazioneDettaglio, {}};
    for (const auto& d : dettagli) {
        std::vector<std::string> r(6);
        for (int k = 0; k < 3; ++k)
            r[k] = std::to_string(d.Numeri[k]);
        if (d.Esito) {
            r[3] = std::to_string(d.Esito);
            r[4] = std::string(NomiRuote[d.Ruota].substr(0, 2));
            r[5] = std::to_string(d.Colpo);
        }
        t.Righe.push_back(std::move(r));
    }
    return t;
}

TabellaTesto TabellaScelte(const std::vector<Terzina>& terzine) {
    TabellaTesto t{IntestazioneScelte, {}};
    for (const auto& z : terzine) {
        std::vector<std::string> r(9);
        r[1] = std::to_string(z.A);
        r[2] = std::to_string(z.B);
        r[3] = std::to_string(z.C);
        t.Righe.push_back(std::move(r));
    }
    return t;
}

TabellaTesto TabellaPrevisioni(const ArchivioMemoria& ar, const std::vector<RigaPrevisione>& righe) {
    TabellaTesto t{IntestazionePrevisioni, {}};
    for (const auto& p : righe) {
        std::vector<std::string> r(13);
        if (!p.Separatore) {
            r[PRif] = std::to_string(p.Caso);
            r[PEstr] = std::to_string(p.Estrazione);
            r[PData] = ar.DateEstrazioni[static_cast<size_t>(p.Estrazione)];
            r[PNT] = std::to_string(p.NumeroTerzina);
            r[PEP] = Numero(p.Ordinale);
            for (int k = 0; k < 3; ++k)
                r[PN1 + k] = std::to_string(p.Numeri[k]);
            if (p.Ruota >= 0 && p.Ordinale) r[PRU] = std::string(CodiciRuote[p.Ruota]);
            r[PC] = Numero(p.Colpo);
            r[PEsito] = p.Esito;
            r[PS] = Numero(p.Sorte);
        }
        t.Righe.push_back(std::move(r));
    }
    return t;
}

TabellaTesto TabellaStatistiche(const Statistiche& s) {
    return {IntestazioneStatistiche,
            {{std::to_string(s.Casi), std::to_string(s.Coperti), std::to_string(s.Pos), std::to_string(s.Neg),
              std::to_string(s.InGioco), std::to_string(s.Ambi), std::to_string(s.Terni)}}};
}

TabellaTesto TabellaStoria(const ArchivioMemoria& ar, const Storia& storia, bool diCombinazione) {
    TabellaTesto t{IntestazioneStoria, {}};
    for (const auto& s : storia.Righe) {
        std::vector<std::string> r(10);
        r[0] = Numero(s.Caso);
        r[1] = std::to_string(s.Estrazione);
        r[2] = ar.DateEstrazioni[static_cast<size_t>(s.Estrazione)];
        r[3] = std::string(NomiRuote[s.RuotaBase]);
        r[4] = std::to_string(s.Parametro);
        r[5] = s.Previsione;
        r[6] = s.Esito;
        if (!s.Negativo) {
            r[7] = std::to_string(s.Sorte);
            r[8] = std::string(diCombinazione ? CodiciRuote[s.Ruota] : NomiRuote[s.Ruota]);
            r[9] = std::to_string(s.Colpo);
        }
        t.Righe.push_back(std::move(r));
    }
    return t;
}

TabellaTesto TabellaDeiRitardi(const TabellaRitardi& ritardi) {
    TabellaTesto t{IntestazioneRitardi, {}};
    for (int n = 1; n <= 90; ++n) {
        std::vector<std::string> r(13);
        r[1] = std::to_string(n);
        for (int w = 0; w < NumeroRuote; ++w)
            r[2 + w] = std::to_string(ritardi.Ritardi[n][w]);
        t.Righe.push_back(std::move(r));
    }
    return t;
}

std::string TitoloRitardi(const ArchivioMemoria& ar, int d) {
    return "Ritardi all'estrazione N° " + std::to_string(d) + " del " +
           ar.DateEstrazioni[static_cast<size_t>(d)];
}

std::string TestoDecimale(double valore, int cifre) {
    char testo[64];
    std::snprintf(testo, sizeof testo, "%.*f", cifre, valore);
    std::string t = testo;
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

std::string FormatoMigliaia(long long valore) {
    std::string cifre = std::to_string(valore < 0 ? -valore : valore), testo;
    for (size_t i = 0; i < cifre.size(); ++i) {
        if (i > 0 && (cifre.size() - i) % 3 == 0) testo += '.';
        testo += cifre[i];
    }
    // "###,###" shows nothing for zero.
    if (valore == 0) return "";
    return valore < 0 ? "-" + testo : testo;
}

} // namespace trivalto
