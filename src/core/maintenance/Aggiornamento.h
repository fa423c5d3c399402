#pragma once
// Update files and their check against the archive database. Three kinds of source are read: the
// program's text archive (175-character draw lines), the official per-wheel archive ("YYYY/MM/DD",
// wheel code, five numbers, tab-separated) and a ZIP holding the latter. Each becomes the rows of the
// update table; the check marks every row as missing from the archive, equal, different or not valid
// (a damaged row is never written), and the apply writes the marked rows in one transaction.
#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/DatabaseArchivio.h"

namespace trivalto {

class ErroreAggiornamento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The whole content of an update file on disk; throws ErroreAggiornamento when it cannot be read.
std::string LeggiSorgente(const std::string& percorso);

/// The records of a text: each ends at a line end or at a comma; one that begins with a double quote
/// ends at the closing quote.
std::vector<std::string> LeggiRecord(const std::string& testo);

/// The mark that recognises a chosen text archive: a first record of 178 characters ending in "pr".
bool PrimoRecordValido(const std::string& testo);

enum class TipoSorgente { TestoArchivio, Storico, Zip, Sconosciuto };
/// Told apart by content: a ZIP signature, a first line in the per-wheel layout, or draw lines.
TipoSorgente RiconosciSorgente(const std::string& contenuto);

/// One row of the update table: the date text and the eleven wheel fields as the source gives them.
struct RigaAggiornamento {
    std::string Data;
    std::array<std::string, NumeroRuote> Celle;
    bool operator==(const RigaAggiornamento&) const = default;
};

/// Rows of a text archive, in file order: characters 1–10 and the fields at 12 + 15·k; rows
/// without a date are dropped.
std::vector<RigaAggiornamento> RigheDaTesto(const std::string& testo);
/// Rows of the per-wheel layout grouped by date, in date order; a missing wheel is "----".
std::vector<RigaAggiornamento> RigheDaStorico(const std::string& testo);
/// The text file inside a ZIP (the first entry that is not a folder).
std::string EstraiDaZip(const std::string& zip);
/// Any of the three kinds; throws ErroreAggiornamento when the content is none of them.
std::vector<RigaAggiornamento> RigheDaSorgente(const std::string& contenuto);

enum class Marca { DaImportare, Uguale, Errata, NonValida };

struct EsitoRiga {
    Marca Segno = Marca::Uguale;
    std::array<bool, NumeroRuote> RuoteUguali{}; // green wheel cells of a draw found in the archive
    std::string Difetto;                         // why a row is not valid
};

struct EsitoControllo {
    std::vector<EsitoRiga> Righe; // parallel to the rows
    std::vector<std::string> Resoconto;
};

/// Why a row cannot be written (not a real date, a wheel that is neither empty nor five distinct
/// numbers 1..90 in the stored form); empty when it can.
std::string DifettoRiga(const RigaAggiornamento& riga);

using ProgressoControllo = std::function<void(int fatte, int totale)>;

/// Every row looked up by its day, month and year, from the last to the first as the report lists them.
EsitoControllo ControllaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                              const ProgressoControllo& progresso = {});

struct EsitoApplicazione {
    int Aggiunte = 0, Modificate = 0;
    std::vector<std::string> Resoconto;
};

/// Writes the rows to import and, with `corregge`, rewrites the different ones, all in one
/// transaction: when the database refuses one, nothing is written and ErroreAggiornamento names it.
EsitoApplicazione ApplicaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                               const std::vector<EsitoRiga>& esiti, bool corregge);

} // namespace trivalto
