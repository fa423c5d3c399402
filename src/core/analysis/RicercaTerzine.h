// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The search of all 117,480 terzine of offsets (a < b < c in 1..90) for those that came out most
// often within the play window after the cases.
//
// Two implementations return identical lists: CercaTerzine (the one the program runs) and
// CercaTerzineRiferimento (the literal loops, linked only into tests and benchmarks).
// Both run on the calling thread; the caller may poll-stop them through `Interrompi`.
#include <array>
#include <atomic>
#include <functional>
#include <vector>

#include "core/analysis/Casi.h"
#include "core/archive/ArchivioMemoria.h"

namespace trivalto {

inline constexpr int NumeroTerzine = 117480;
inline constexpr int MassimoCasi = 30;
inline constexpr int MassimoElenco = 200;

/// A row of the terzine list; an empty row has A == 0.
struct Terzina {
    int Pos = 0, Neg = 0;
    int A = 0, B = 0, C = 0;
    int Ambi = 0, Terni = 0;
    bool Vuota() const { return A == 0; }
    bool operator==(const Terzina&) const = default;
};

using RuoteGioco = std::array<bool, NumeroRuote>;

/// The play window: draws d + DaColpo .. d + DaColpo + Colpi - 1, never past `FineVerifica`.
struct FinestraGioco {
    int DaColpo = 1;
    int Colpi = 8;
    int FineVerifica = 0;
};

struct InputRicerca {
    const ArchivioMemoria* Archivio = nullptr;
    std::vector<Caso> Casi;
    std::vector<bool> Coperti; // parallel to Casi; covered cases are skipped (missing = not covered)
    RuoteGioco Ruote{};
    FinestraGioco Finestra; // FineVerifica = the reference draw
    bool InteroPeriodo = false;
    int Elenco = 50;
    int PassoControllo = 6000; // terzine between two checks of the stop flag (the builder: 3000)
};

/// Progress and stop: `Progresso(valore, massimo)` may be called from the search's thread;
/// `Interrompi` is polled and never cleared by the search, so a stop asked before the search
/// reaches its first check still stops it. Give each search a flag of its own.
struct ControlloLavoro {
    std::atomic<bool>* Interrompi = nullptr;
    std::function<void(int, int)> Progresso;
};

struct RisultatoTerzine {
    std::vector<Terzina> Righe; // always Elenco rows, empty rows last
    bool Interrotta = false;
};

RisultatoTerzine CercaTerzine(const InputRicerca& input, const ControlloLavoro& controllo = {});
RisultatoTerzine CercaTerzineRiferimento(const InputRicerca& input, const ControlloLavoro& controllo = {});

/// The three played numbers of offsets applied to a parameter: (P + offset) mod 90, 0 read as 90.
inline int NumeroGiocato(int parametro, int offset) {
    const int n = (parametro + offset) % 90;
    return n == 0 ? 90 : n;
}

/// Offset at which a drawn number stands from the parameter (1..90); a drawn 0 reads as 90.
inline int OffsetDa(int numero, int parametro) {
    const int x = numero == 0 ? 90 : numero;
    const int o = ((x - parametro) % 90 + 90) % 90;
    return o == 0 ? 90 : o;
}

} // namespace trivalto
