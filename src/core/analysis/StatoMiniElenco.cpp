// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/analysis/StatoMiniElenco.h"

namespace trivalto {

bool StatoMiniElenco::Mostra(int d, int numeroEstrazioni) {
    if (d < 1 || d > numeroEstrazioni) return false;
    estrazione_ = d;
    for (auto& riga : segni_)
        for (int c = 1; c < Colonne; ++c)
            riga[static_cast<size_t>(c)] = Segno::Nessuno;
    return true;
}

bool StatoMiniElenco::Alterna(int ruota, int colonna) {
    if (!Dentro(ruota, colonna)) return false;
    auto& s = segni_[static_cast<size_t>(ruota)][static_cast<size_t>(colonna)];
    s = s == Segno::Marcato ? Segno::Nessuno : Segno::Marcato;
    return true;
}

void StatoMiniElenco::Resetta() {
    for (auto& riga : segni_) {
        riga.fill(Segno::Nessuno);
        riga[0] = Segno::Rilievo;
    }
}

StatoMiniElenco::Segno StatoMiniElenco::SegnoCella(int ruota, int colonna) const {
    return Dentro(ruota, colonna) ? segni_[static_cast<size_t>(ruota)][static_cast<size_t>(colonna)]
                                  : Segno::Nessuno;
}

TabellaTesto TabellaMiniElenco(const ArchivioMemoria& archivio, const StatoMiniElenco& stato) {
    TabellaTesto t{IntestazioneMiniElenco, {}};
    const int d = stato.Estrazione();
    // A reload may have shortened the archive under a draw shown before it.
    const bool presente = d >= 1 && d <= archivio.NumeroEstrazioni;
    for (int w = 0; w < NumeroRuote; ++w) {
        auto& r = t.Righe.emplace_back(StatoMiniElenco::Colonne);
        r[0] = std::string(CodiciRuote[static_cast<size_t>(w)]);
        if (presente)
            for (int p = 0; p < NumeriPerRuota; ++p)
                r[static_cast<size_t>(p) + 1] = std::to_string(archivio.Numeri(d, w)[static_cast<size_t>(p)]);
    }
    return t;
}

} // namespace trivalto
