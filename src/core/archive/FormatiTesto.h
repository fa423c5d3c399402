// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Readers of the two text layouts of the draw archive: the 175-character draw lines (the first line
// of a full archive carries " pr") and the official per-wheel "storico" (date, wheel code, five numbers,
// tab-separated; RM is Roma and RN Nazionale there).
#include <istream>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
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

/// Why a draw read from a file cannot be one, in the import's words and order: a date that is no
/// day of the calendar, a wheel that is neither "----" nor five numbers 01..90 joined by "-", and with
/// strict rules a date outside PrimoAnnoPlausibile..regole.Ultima or a number twice on a wheel.
/// Empty when it can be written.
std::string DifettoEstrazione(const RigaEstrazione& riga, const RegoleLettura& regole = {});

/// One line of a text archive that is not blank, as the reader of draw lines saw it.
struct LineaLetta {
    int Numero = 0;       // line of the file, blank lines counted
    RigaEstrazione Campi; // characters 1-10 and the fields at 12 + 15·k, trailing blanks removed:
                          // the draw itself when Difetto is empty
    std::string Difetto;  // why the line is no draw; empty when it is one
    int PrimaRiga = 0;    // its date already met in the file: the line where it was first met
};

/// The one reader of 175-character draw lines, for the import and the update check alike: the
/// import refuses the whole file at the first line with a Difetto, the update check marks that
/// line's row "non valida" with it. Fed the lines of one file in order, each with its number and
/// with or without its line end; it keeps what the rules of a whole file need (dates met, lines read).
class LettoreLineeEstrazioni {
public:
    explicit LettoreLineeEstrazioni(const RegoleLettura& regole = {}) : regole_(regole) {}
    /// Nothing for a blank line. Throws ErroreFormato when the file has more lines of draws than an
    /// archive may hold (regole.MassimoEstrazioni): no file of draws is that long.
    std::optional<LineaLetta> Leggi(std::string linea, int numero);

private:
    RegoleLettura regole_;
    std::unordered_map<std::string, int> viste_; // date text -> first line
    int lette_ = 0;
};

/// Where the text of draws starts in a file whose first bytes are `inizio`: after a UTF-8 mark (3),
/// else at 0. A UTF-16 text is refused (ErroreFormato, Riga 0, naming `nome` when given).
size_t InizioTesto(std::string_view inizio, const std::string& nome = {});
/// The layout of a text of draws, chosen from its first line that is not blank: a tab means the
/// per-wheel "storico".
bool LineaDelloStorico(const std::string& primaLineaNonVuota);

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
