// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/builder/TabelleCostruttore.h"

namespace trivalto {

namespace {

/// The first seven cells read as the terzine list's: Cop and Tot where that list has Pos and Neg.
std::vector<std::string> CelleCandidata(const Candidata& z) {
    return CelleTerzina(Terzina{z.Cop, z.Tot, z.A, z.B, z.C, z.Ambi, z.Terni});
}

} // namespace

TabellaTesto TabellaCasiCostruttore(const ArchivioMemoria& archivio, const std::vector<Caso>& casi) {
    auto t = TabellaCasi(archivio, casi);
    t.Intestazione = IntestazioneCasiCostruttore;
    for (auto& r : t.Righe)
        r.resize(16);
    return t;
}

TabellaTesto TabellaElencoColpi(const std::vector<Candidata>& lista,
                                const std::vector<ConteggioColpi>& colpi) {
    TabellaTesto t{IntestazioneElencoColpi, {}};
    for (size_t r = 0; r < lista.size(); ++r) {
        auto celle = CelleCandidata(lista[r]);
        celle.resize(PrimaColonnaColpi + 20);
        if (r < colpi.size())
            for (size_t c = 0; c < 20; ++c)
                if (colpi[r].Successi[c] > 0)
                    celle[PrimaColonnaColpi + c] = std::to_string(colpi[r].Successi[c]);
        t.Righe.push_back(std::move(celle));
    }
    return t;
}

TabellaTesto TabellaElencoCasi(const std::vector<RigaPerCaso>& lista) {
    TabellaTesto t{IntestazioneElencoCasi, {}};
    for (const auto& r : lista) {
        auto celle = CelleCandidata(r.Z);
        celle.resize(PrimaColonnaCasi + MassimoCasi);
        celle[ColonnaSecondoCop] = r.SecondoCop < 0 ? "" : std::to_string(r.SecondoCop);
        for (size_t k = 0; k < MassimoCasi; ++k)
            if (r.Coperture[k]) celle[PrimaColonnaCasi + k] = std::to_string(k + 1);
        t.Righe.push_back(std::move(celle));
    }
    return t;
}

TabellaTesto TabellaMetodo(const std::vector<TerzinaMetodo>& metodo) {
    TabellaTesto t{IntestazioneMetodo, {}};
    int ordinale = 0;
    for (const auto& m : metodo)
        t.Righe.push_back({std::to_string(++ordinale), std::to_string(m.A), std::to_string(m.B),
                           std::to_string(m.C), "", m.Esiti, m.Negative, m.Due, m.Tre});
    return t;
}

} // namespace trivalto
