// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Combinations of one, two or three rows of the terzine list, ranked by the cases at least one of
// their terzine covers (a case counts once, at its first success; every case counts, covered or not).
#include <array>
#include <vector>

#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

/// A row of the combination table; `Righe` are 0-based rows of the terzine list (-1 unused).
struct Combinazione {
    int Esiti = 0, Cop = 0;
    std::array<int, 3> Righe{-1, -1, -1};
    bool Vuota() const { return Righe[0] < 0; }
    bool operator==(const Combinazione&) const = default;
};

struct InputCombinazioni {
    const ArchivioMemoria* Archivio = nullptr;
    std::vector<Caso> Casi;
    std::vector<Terzina> Lista; // the terzine list as shown, empty rows included (offsets 0)
    RuoteGioco Ruote{};         // recorded by the last terzine search
    FinestraGioco Finestra;     // FineVerifica = the reference draw
    int K = 2;
    int Elenco = 50; // the table has Elenco - 1 rows
};

/// The combinations of a terzine list found with `ricerca`: the same archive, cases, wheels, window and
/// Elenco.
inline InputCombinazioni CombinazioniDi(const InputRicerca& ricerca, std::vector<Terzina> lista, int K) {
    InputCombinazioni ic;
    ic.Archivio = ricerca.Archivio;
    ic.Casi = ricerca.Casi;
    ic.Lista = std::move(lista);
    ic.Ruote = ricerca.Ruote;
    ic.Finestra = ricerca.Finestra;
    ic.K = K;
    ic.Elenco = ricerca.Elenco;
    return ic;
}

struct RisultatoCombinazioni {
    std::vector<Combinazione> Righe; // Elenco - 1 rows, empty rows last
    bool Interrotta = false;
};

RisultatoCombinazioni CercaCombinazioni(const InputCombinazioni& input,
                                        const ControlloLavoro& controllo = {});
RisultatoCombinazioni CercaCombinazioniRiferimento(const InputCombinazioni& input,
                                                   const ControlloLavoro& controllo = {});

/// "Elimina righe successive": removes list rows `riga`..last (1-based), keeping rows 1..riga-1.
/// The first row is never removed: false, and nothing changes, when `riga` < 2 or past the list.
bool EliminaRigheSuccessive(std::vector<Terzina>& lista, int riga);

/// How many combinations a search of size K over T rows examines.
long long NumeroCombinazioni(int T, int K);

} // namespace trivalto
