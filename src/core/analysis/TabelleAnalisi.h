// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the analysis tables, shared by the window and the command-line tool so both show
// exactly the same cells.
#include <string>
#include <vector>

#include "core/analysis/Casi.h"
#include "core/analysis/Combinazioni.h"
#include "core/analysis/Previsioni.h"
#include "core/analysis/RicercaTerzine.h"
#include "core/analysis/Storia.h"
#include "core/analysis/Verifica.h"

namespace trivalto {

struct TabellaTesto {
    std::string Intestazione;                    // columns separated by "|"
    std::vector<std::vector<std::string>> Righe; // data rows, one text per column
};

inline constexpr const char* IntestazioneCasi =
    "Pro |N° Estr|Data Estraz     |R1 |R1N|Par|N1 |N2 |N3 |N4 |N5 |1|2|3";
inline constexpr const char* IntestazioneTerzine = "Pos|Neg|N1|N2|N3| 2 | 3";
inline constexpr const char* IntestazioneCombinazioni =
    "Esiti|Cop|P1|S1|N1 |N2 |N3 |A |T|P2|S2|N1 |N2 |N3 |A |T|P3|S3|N1 |N2 |N3 |A |T";
inline constexpr const char* IntestazioneDettaglio = "N1 |N2 |N3 |E |RU | C ";
inline constexpr const char* IntestazioneScelte = "  |N1     |N2     |N3     |NCC|Esiti|Negative|2|3";
inline constexpr const char* IntestazionePrevisioni =
    "Rif  |N° Estr|Dat Estraz   |F1|N°T|EP|N1  |N2  |N3  |RU |C  |Esito          |S ";
inline constexpr const char* IntestazioneStatistiche = "N° Casi |Coperti|Pos   |Neg  |In Gioco|Ambi|Terni";
inline constexpr const char* IntestazioneStoria =
    "G N°|Est Rif|Data|R.Basee|Param.|Previsione completa|Esito|Sorte|Ruota|Colpo";
inline constexpr const char* IntestazioneRitardi = "|N°|BA|CA|FI|GE|MI|NA|PA|RO|TO|VE|NZ";

/// Columns of the case table.
enum ColonnaCasi {
    CPro = 0,
    CEstr,
    CData,
    CR1,
    CR1N,
    CPar,
    CN1,
    CN2,
    CN3,
    CN4,
    CN5,
    CSegno1,
    CSegno2,
    CSegno3
};

/// Splits a text at every separator (an empty text gives one empty cell).
std::vector<std::string> DividiTesto(const std::string& testo, char separatore);
inline std::vector<std::string> ColonneIntestazione(const std::string& intestazione) {
    return DividiTesto(intestazione, '|');
}

TabellaTesto TabellaCasi(const ArchivioMemoria& archivio, const std::vector<Caso>& casi);
TabellaTesto TabellaTerzine(const std::vector<Terzina>& righe);

/// Columns of the forecast table.
enum ColonnaPrevisioni { PRif = 0, PEstr, PData, PF1, PNT, PEP, PN1, PN2, PN3, PRU, PC, PEsito, PS };

/// The seven cells of a terzine-list row as the list shows them (all empty for an empty row).
std::vector<std::string> CelleTerzina(const Terzina& z);
TabellaTesto TabellaCombinazioni(const std::vector<Combinazione>& righe, const std::vector<Terzina>& lista);
TabellaTesto TabellaDettaglio(const std::vector<DettaglioTerzina>& dettagli);
TabellaTesto TabellaScelte(const std::vector<Terzina>& terzine);
TabellaTesto TabellaPrevisioni(const ArchivioMemoria& archivio, const std::vector<RigaPrevisione>& righe);
TabellaTesto TabellaStatistiche(const Statistiche& s);
/// `diCombinazione`: the wheel is shown by its code, a terzina's history by its full name.
TabellaTesto TabellaStoria(const ArchivioMemoria& archivio, const Storia& storia, bool diCombinazione);
TabellaTesto TabellaDeiRitardi(const TabellaRitardi& ritardi);
std::string TitoloRitardi(const ArchivioMemoria& archivio, int d);

/// A number with `cifre` decimals and a decimal comma, as Italian texts write it.
std::string TestoDecimale(double valore, int cifre);

/// "###,###,###,###": thousands separated by dots, as the Italian locale writes them.
std::string FormatoMigliaia(long long valore);

} // namespace trivalto
