// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The analysis tables drawn from an analysis state: texts from the shared table builders, colours
// and bold from the state's flags. `Dipingi…` writes texts and styles; `Stile…` only repaints the
// styles, so a click that changes a mark keeps the table's rows and scroll position.
#include "core/analysis/StatoAnalisi.h"
#include "core/analysis/TabelleAnalisi.h"

namespace trivalto {

class FinestraStoria;
class FrmRitardi;
class Griglia;
class ModelloGriglia;
struct Storia;

/// The rows of `t` under the grid's header, every style reset.
void RiempiGriglia(Griglia& g, const TabellaTesto& t);

void DipingiCasi(Griglia& g, const ArchivioMemoria& archivio, const StatoAnalisi& s);
void StileCasi(ModelloGriglia& m, const StatoAnalisi& s);

void DipingiTerzine(Griglia& g, const StatoAnalisi& s);
/// A list whose search ran to its end: the count bold in blue, the offsets bold in red on light yellow,
/// the terni (column 6) yellow where there are any. The builder's list by colpo shares the first seven
/// columns.
void StileListaCompleta(ModelloGriglia& m);
void StileTerzine(ModelloGriglia& m, const StatoAnalisi& s);

void DipingiCombinazioni(Griglia& g, const StatoAnalisi& s);
void StileCombinazioni(ModelloGriglia& m, const StatoAnalisi& s);

void DipingiDettaglio(Griglia& g, const StatoAnalisi& s);

/// The chosen terzine, the forecast rows and the statistics row.
void DipingiPrevisioni(Griglia& scelte, Griglia& previsioni, Griglia& statistiche,
                       const ArchivioMemoria& archivio, const StatoAnalisi& s);
/// The forecast rows and the statistics row alone.
void DipingiPrevisione(Griglia& previsioni, Griglia& statistiche, const ArchivioMemoria& archivio,
                       const StatoAnalisi& s);

/// A history in the history window, with its summary.
void MostraStoria(FinestraStoria& w, const ArchivioMemoria& archivio, const Storia& storia,
                  bool diCombinazione);
/// The delays at the draw of forecast row `riga` (1-based, a filled row), the case's numbers marked on
/// the wheels chosen at its search.
void MostraRitardi(FrmRitardi& w, const ArchivioMemoria& archivio, const StatoAnalisi& s, int riga);

} // namespace trivalto
