// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Update files and their check against the archive database. Three kinds of source are read: the
// program's text archive (175-character draw lines), the official per-wheel archive ("YYYY/MM/DD",
// wheel code, five numbers, tab-separated) and a ZIP holding the latter. Each becomes the rows of the
// update table; the check marks every row as missing from the archive, equal, different or not valid
// (a damaged row is never written), and the apply writes the marked rows in one transaction.
//
// The rows are read by the import's own readers (FormatiTesto.h): a line the import would refuse is
// a row "non valida" here, with the import's words for its fault.
#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/archive/DatabaseArchivio.h"
#include "core/maintenance/Scaricamento.h"

namespace trivalto {

class ErroreAggiornamento : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// The whole content of an update file on disk, at most `massimoByte` (the limit of a download);
/// throws ErroreAggiornamento when it cannot be read, is a folder or is longer.
std::string LeggiSorgente(const std::string& percorso, long long massimoByte = MassimoScaricamento);

/// The mark that recognises a chosen text archive: a first line (after a UTF-8 mark) of 178
/// characters ending in "pr".
bool PrimoRecordValido(const std::string& testo);

enum class TipoSorgente { TestoArchivio, Storico, Zip, Sconosciuto };
/// Told apart by content: a ZIP signature, a first line that is not blank in the per-wheel layout
/// (a tab, as the import chooses), or one that begins with a date.
TipoSorgente RiconosciSorgente(const std::string& contenuto);

/// One row of the update table: the date text and the eleven wheel fields as the source gives them.
struct RigaAggiornamento {
    std::string Data;
    std::array<std::string, NumeroRuote> Celle;
    std::string Difetto; // why the reader refused the line (the import's words); empty when it did not
    int Linea = 0;       // the line of the file, when one line makes the row
    bool operator==(const RigaAggiornamento&) const = default;
};

/// Rows of a text archive, one per line that is not blank, in file order: characters 1–10 and the
/// fields at 12 + 15·k. A line the import would refuse (too long or short, a line end that is none,
/// a wrong date or wheel, a repeated number, a date met twice, both lines then) carries its fault.
/// More lines than an archive may hold draws: ErroreAggiornamento.
std::vector<RigaAggiornamento> RigheDaTesto(const std::string& testo);
/// Rows of the per-wheel layout grouped by date, in date order; a missing wheel is "----".
std::vector<RigaAggiornamento> RigheDaStorico(const std::string& testo);
/// The text file inside a ZIP (the first entry that is not a folder). Every entry is read to its end
/// and its CRC checked: a ZIP damaged anywhere, truncated, or expanding past `massimoByte` in all is
/// refused whole (ErroreAggiornamento).
std::string EstraiDaZip(const std::string& zip, long long massimoByte = MassimoScaricamento);
/// Any of the three kinds; throws ErroreAggiornamento when the content is none of them.
std::vector<RigaAggiornamento> RigheDaSorgente(const std::string& contenuto);

/// The cause of a libzip failure (`codiceZip` a ZIP_ER_ value, `codiceSistema` its errno when it has
/// one) in Italian; the library's text, when given, only follows in brackets.
std::string CausaZip(int codiceZip, int codiceSistema = 0);

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

/// Why a row cannot be written: the reader's fault, else what the import refuses in a draw (not a
/// real or plausible date, a wheel that is neither "----" nor five distinct numbers 01..90 in the
/// stored form); empty when it can.
std::string DifettoRiga(const RigaAggiornamento& riga);

using ProgressoControllo = std::function<void(int fatte, int totale)>;

/// Every row looked up by its day, month and year, from the last to the first as the report lists
/// them. A row with a fault, or whose date another row also has, is "non valida".
EsitoControllo ControllaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                              const ProgressoControllo& progresso = {});

struct EsitoApplicazione {
    int Aggiunte = 0, Modificate = 0;
    std::vector<std::string> Resoconto;
};

/// Writes the rows to import and, with `corregge`, rewrites the different ones, all in one
/// transaction. Refused whole before the first write (ErroreAggiornamento, nothing written) when a
/// row to write is not valid or its date comes twice, or when the archive would pass
/// ArchivioMemoria::MassimoEstrazioni draws; when the database refuses a row, nothing is written
/// and ErroreAggiornamento names it.
EsitoApplicazione ApplicaRighe(DatabaseArchivio& db, const std::vector<RigaAggiornamento>& righe,
                               const std::vector<EsitoRiga>& esiti, bool corregge);

} // namespace trivalto
