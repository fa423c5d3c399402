#pragma once
// The analysis tables drawn from an analysis state: texts from the shared table builders, colours
// and bold from the state's flags. `Dipingi…` writes texts and styles; `Stile…` only repaints the
// styles, so a click that changes a mark keeps the table's rows and scroll position.
#include "core/analysis/StatoAnalisi.h"
#include "core/analysis/TabelleAnalisi.h"

namespace trivalto {

class Griglia;
class ModelloGriglia;

/// The rows of `t` under the grid's header, every style reset.
void RiempiGriglia(Griglia& g, const TabellaTesto& t);

void DipingiCasi(Griglia& g, const ArchivioMemoria& archivio, const StatoAnalisi& s);
void StileCasi(ModelloGriglia& m, const StatoAnalisi& s);

void DipingiTerzine(Griglia& g, const StatoAnalisi& s);
void StileTerzine(ModelloGriglia& m, const StatoAnalisi& s);

void DipingiCombinazioni(Griglia& g, const StatoAnalisi& s);
void StileCombinazioni(ModelloGriglia& m, const StatoAnalisi& s);

void DipingiDettaglio(Griglia& g, const StatoAnalisi& s);

/// The chosen terzine, the forecast rows and the statistics row.
void DipingiPrevisioni(Griglia& scelte, Griglia& previsioni, Griglia& statistiche,
                       const ArchivioMemoria& archivio, const StatoAnalisi& s);

} // namespace trivalto
