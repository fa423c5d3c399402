#include "analysis/TabelleAnalisi.h"

namespace trivalto {

std::vector<std::string> ColonneIntestazione(const std::string& intestazione) {
    std::vector<std::string> colonne(1);
    for (char ch : intestazione) {
        if (ch == '|') colonne.emplace_back();
        else colonne.back() += ch;
    }
    return colonne;
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
        for (int p = 0; p < 5; ++p) r[CN1 + p] = std::to_string(numeri[p]);
        t.Righe.push_back(std::move(r));
    }
    return t;
}

TabellaTesto TabellaTerzine(const std::vector<Terzina>& righe) {
    TabellaTesto t{IntestazioneTerzine, {}};
    for (const auto& z : righe) {
        if (z.Vuota()) {
            t.Righe.emplace_back(7);
            continue;
        }
        t.Righe.push_back({std::to_string(z.Pos), std::to_string(z.Neg), std::to_string(z.A), std::to_string(z.B),
                           std::to_string(z.C), std::to_string(z.Ambi), z.Terni ? std::to_string(z.Terni) : ""});
    }
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
