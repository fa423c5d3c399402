#pragma once
// The texts of the analysis tables, shared by the window and the command-line tool so both show
// exactly the same cells.
#include <string>
#include <vector>

#include "analysis/Casi.h"
#include "analysis/RicercaTerzine.h"

namespace trivalto {

struct TabellaTesto {
    std::string Intestazione;                   // columns separated by "|"
    std::vector<std::vector<std::string>> Righe; // data rows, one text per column
};

inline constexpr const char* IntestazioneCasi = "Pro |N° Estr|Data Estraz     |R1 |R1N|Par|N1 |N2 |N3 |N4 |N5 |1|2|3";
inline constexpr const char* IntestazioneTerzine = "Pos|Neg|N1|N2|N3| 2 | 3";

/// Columns of the case table.
enum ColonnaCasi { CPro = 0, CEstr, CData, CR1, CR1N, CPar, CN1, CN2, CN3, CN4, CN5, CSegno1, CSegno2, CSegno3 };

std::vector<std::string> ColonneIntestazione(const std::string& intestazione);

TabellaTesto TabellaCasi(const ArchivioMemoria& archivio, const std::vector<Caso>& casi);
TabellaTesto TabellaTerzine(const std::vector<Terzina>& righe);

/// "###,###,###,###": thousands separated by dots, as the Italian locale writes them.
std::string FormatoMigliaia(long long valore);

} // namespace trivalto
