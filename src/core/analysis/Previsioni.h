// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Predictions of a chosen combination: per case the numbers each terzina plays, every success with
// wheel, colpo and size, the cases still in play and the statistics row; and the number delays.
#include <array>
#include <string>
#include <vector>

#include "core/analysis/Gioco.h"

namespace trivalto {

struct RigaPrevisione {
    bool Separatore = false;
    int Caso = 0; // "Rif ": row of the case in the case table, 1..
    int Estrazione = 0;
    int NumeroTerzina = 0; // "N°T", 1..5
    int Ordinale = 0;      // "EP", 0 = no success on this row
    NumeriGiocati Numeri{};
    int Ruota = -1, Colpo = 0; // Colpo 0 = empty "C  "
    std::string Esito;         // the numbers that came out, in played order, each followed by a blank
    int Sorte = 0;
    bool ColpoEvidenziato = false; // the case's first success, with "Evidenzia 1° sfaldamento"
    bool operator==(const RigaPrevisione&) const = default;
};

/// What the prediction writes into the case table: the first cell (white, green = covered,
/// cyan = still in play) and the orange cells "1" … "5" of the terzine that covered it.
inline constexpr int MassimoTerzineMetodo = 5;
struct SegniCaso {
    enum class Stato { Bianco, Verde, Ciano } Primo = Stato::Bianco;
    std::array<bool, MassimoTerzineMetodo> Arancio{};
    bool operator==(const SegniCaso&) const = default;
};

struct Statistiche {
    int Casi = 0, Coperti = 0, Pos = 0, Neg = 0, InGioco = 0, Ambi = 0, Terni = 0;
    bool operator==(const Statistiche&) const = default;
};

struct InputPrevisioni {
    const ArchivioMemoria* Archivio = nullptr;
    std::vector<Caso> Casi;
    std::vector<Terzina> Terzine; // the chosen terzine, 1..5 (none: the marks and statistics only)
    RuoteGioco Ruote{};           // recorded by the last terzine search
    FinestraGioco Finestra;       // FineVerifica = the reference draw
    bool VerificaEstesa = false;  // check up to the last draw instead of the reference draw
    bool InteroPeriodo = false;
    bool Evidenzia = false;
    /// The builder's older form: the rows and the green marks only, without the first-success pass,
    /// the in-play marks, the tidying and the statistics.
    bool SoloRighe = false;
};

struct RisultatoPrevisioni {
    std::vector<RigaPrevisione> Righe;
    std::vector<SegniCaso> Segni; // parallel to the cases
    Statistiche Riepilogo;        // the row of FgStat
};

RisultatoPrevisioni FaiPrevisioni(const InputPrevisioni& input);

/// The numbers played in the forecast rows of one case.
std::vector<int> NumeriMarcati(const std::vector<RigaPrevisione>& righe, int caso);

/// Delays of every number on every wheel at draw d, counted over the model draws up to d:
/// Ritardi[n][w] = model draws since n last came out on w (the count of model draws up to d
/// when it never did).
struct TabellaRitardi {
    int Estrazione = 0;
    std::array<std::array<int, NumeroRuote>, 91> Ritardi{};
};
TabellaRitardi CalcolaRitardi(const ArchivioMemoria& archivio, int d);

} // namespace trivalto
