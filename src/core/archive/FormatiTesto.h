#pragma once
// Readers of the two text layouts of the draw archive: the 175-character draw lines (the first line
// of a full archive carries " pr") and the official per-wheel "storico" (date, wheel code, five numbers,
// tab-separated; RM is Roma and RN Nazionale there).
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/ArchivioMemoria.h"
#include "core/archive/DatabaseArchivio.h"

namespace trivalto {

/// A file that cannot be read as draws; `Riga` 0 when the fault is the whole file's.
class ErroreFormato : public std::runtime_error {
public:
    ErroreFormato(int riga, const std::string& messaggio)
        : std::runtime_error(riga > 0 ? "riga " + std::to_string(riga) + ": " + messaggio : messaggio),
          Riga(riga) {}
    int Riga;
};

/// The first year a draw may carry, and the last day: today plus a week (a draw is never dated
/// later; a mistyped year would otherwise become the reference draw).
inline constexpr int PrimoAnnoPlausibile = 1871;
Data UltimaDataPlausibile();
/// Why `d` cannot be a draw's date; empty when it can.
std::string DataImplausibile(const Data& d, const Data& ultima);
/// Why a stored cell ("----" or nn-nn-nn-nn-nn) cannot be a draw's wheel: malformed, a number
/// outside 1..90 or a number repeated; empty when it can.
std::string DifettoCellaTesto(const std::string& cella);

/// What a reader refuses besides malformed lines. An import refuses everything that could not
/// be a real draw; the update check reads leniently and marks such rows itself.
struct RegoleLettura {
    bool Rigorose = true;                 // repeated numbers, implausible dates, repeated dates
    Data Ultima = UltimaDataPlausibile(); // latest plausible date
    int MassimoEstrazioni = ArchivioMemoria::MassimoEstrazioni; // more is refused while reading
};

/// Parses one 175-character draw line; the cells are validated (five numbers 1..90 or "----").
/// Trailing blanks may be missing or added; any other text past the 175th character is refused.
RigaEstrazione LeggiLineaArchivioTesto(const std::string& linea, int numeroRiga);
/// Writes a draw as a 175-character line.
std::string ScriviLineaArchivioTesto(const RigaEstrazione& riga);

/// Whole files, in date order; throw ErroreFormato at the first malformed line.
std::vector<RigaEstrazione> LeggiArchivioTesto(std::istream& in, const RegoleLettura& regole = {});
std::vector<RigaEstrazione> LeggiStorico(std::istream& in, const RegoleLettura& regole = {});
/// Chooses the layout from the first non-blank line (a tab means "storico"). A folder, a file that
/// cannot be read and a UTF-16 or binary file are refused (ErroreFormato with Riga 0).
std::vector<RigaEstrazione> LeggiFileEstrazioni(const std::string& percorso,
                                                const RegoleLettura& regole = {});

} // namespace trivalto
