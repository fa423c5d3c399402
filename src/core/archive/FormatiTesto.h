#pragma once
// Readers of the two text layouts of the draw archive: the 175-character draw lines (the first line
// of a full archive carries " pr") and the official per-wheel "storico" (date, wheel code, five numbers,
// tab-separated; RM is Roma and RN Nazionale there).
#include <istream>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/DatabaseArchivio.h"

namespace trivalto {

class ErroreFormato : public std::runtime_error {
public:
    ErroreFormato(int riga, const std::string& messaggio)
        : std::runtime_error("riga " + std::to_string(riga) + ": " + messaggio), Riga(riga) {}
    int Riga;
};

/// Parses one 175-character draw line; the cells are validated (five numbers 1..90 or "----").
/// Trailing blanks may be missing or added; any other text past the 175th character is refused.
RigaEstrazione LeggiLineaArchivioTesto(const std::string& linea, int numeroRiga);
/// Writes a draw as a 175-character line.
std::string ScriviLineaArchivioTesto(const RigaEstrazione& riga);

/// Whole files, in date order; throw ErroreFormato at the first malformed line.
std::vector<RigaEstrazione> LeggiArchivioTesto(std::istream& in);
std::vector<RigaEstrazione> LeggiStorico(std::istream& in);
/// Chooses the layout from the first non-blank line (a tab means "storico").
std::vector<RigaEstrazione> LeggiFileEstrazioni(const std::string& percorso);

} // namespace trivalto
