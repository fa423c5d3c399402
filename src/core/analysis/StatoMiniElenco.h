// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the mini list shows: one draw, and the cells the user marked while browsing. The window paints
// from it; nothing here knows a colour.
#include <array>
#include <cstdint>

#include "core/analysis/TabelleAnalisi.h"
#include "core/archive/ArchivioMemoria.h"

namespace trivalto {

inline constexpr const char* IntestazioneMiniElenco = "Ruota| N1 | N2 | N3 | N4 | N5 ";

class StatoMiniElenco {
public:
    /// One row per wheel; column 0 holds the wheel code, 1..5 the numbers.
    static constexpr int Righe = NumeroRuote;
    static constexpr int Colonne = 1 + NumeriPerRuota;

    enum class Segno : uint8_t {
        Nessuno,
        Marcato,
        /// A wheel code after "Resetta colorazione": shown as a button, not marked.
        Rilievo,
    };

    /// The draw shown; 0 before the first.
    int Estrazione() const { return estrazione_; }
    /// Shows draw `d` of an archive of `numeroEstrazioni` draws, the numbers' marks cleared (the
    /// codes' stay). False, and nothing changed, when there is no such draw.
    bool Mostra(int d, int numeroEstrazioni);
    /// A click on a cell: a marked cell loses its mark, any other gains it. False outside the table.
    bool Alterna(int ruota, int colonna);
    /// Every mark cleared and the codes shown as buttons again.
    void Resetta();
    /// Nessuno outside the table.
    Segno SegnoCella(int ruota, int colonna) const;

private:
    static bool Dentro(int ruota, int colonna) {
        return ruota >= 0 && ruota < Righe && colonna >= 0 && colonna < Colonne;
    }
    int estrazione_ = 0;
    std::array<std::array<Segno, Colonne>, Righe> segni_{};
};

/// The texts of the mini list: per wheel its code and the numbers of the draw shown (no leading zero,
/// 0 where the wheel has none); the numbers empty when that draw is not in `archivio`.
TabellaTesto TabellaMiniElenco(const ArchivioMemoria& archivio, const StatoMiniElenco& stato);

} // namespace trivalto
