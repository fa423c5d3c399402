// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The texts of the builder's tables, shared by the window and the command-line tool.
#include "core/analysis/TabelleAnalisi.h"
#include "core/builder/StatoCostruttore.h"

namespace trivalto {

inline constexpr const char* IntestazioneCasiCostruttore =
    "Pro |N° Estr|Data Estraz   |R1 |R1N|Par|N1 |N2 |N3 |N4|N5 |1|2|3|4|5";
inline constexpr const char* IntestazioneElencoColpi =
    "Cop|Tot|N1 |N2 |N3 | 2 | 3 |1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20";
inline constexpr const char* IntestazioneElencoCasi =
    "Cop |Tot |N1  |N2  |N3  | 2 "
    "|Cop|1|2|3|4|5|6|7|8|9|10|11|12|13|14|15|16|17|18|19|20|21|22|23|24|25|26|27|28|"
    "29|30";
/// The method table has the analysis window's header for its chosen terzine.
inline constexpr const char* IntestazioneMetodo = IntestazioneScelte;

/// Columns of the two lists: the colpo cells of the list by colpo and the case cells of the list by
/// case start after the first seven.
inline constexpr int PrimaColonnaColpi = 7;
inline constexpr int ColonnaSecondoCop = 6;
inline constexpr int PrimaColonnaCasi = 7;
/// Columns of the method table.
enum ColonnaMetodo { MOrdinale = 0, MN1, MN2, MN3, MNCC, MEsiti, MNegative, MDue, MTre };

TabellaTesto TabellaCasiCostruttore(const ArchivioMemoria& archivio, const std::vector<Caso>& casi);
/// `colpi` empty: "CONTROLLA TUTTE" has not run and the colpo cells are empty.
TabellaTesto TabellaElencoColpi(const std::vector<Candidata>& lista,
                                const std::vector<ConteggioColpi>& colpi);
TabellaTesto TabellaElencoCasi(const std::vector<RigaPerCaso>& lista);
TabellaTesto TabellaMetodo(const std::vector<TerzinaMetodo>& metodo);

} // namespace trivalto
