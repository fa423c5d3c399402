// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive database: table EstrazioniLotto (one row per draw, unique date) and the view
// Query_AAMMGG (year, month, day of each draw).
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/archive/Database.h"
#include "core/archive/Vocabolario.h"

namespace trivalto {

/// One draw as stored: date text dd/mm/yyyy and the eleven wheel cell texts.
struct RigaEstrazione {
    std::string Data;
    std::array<std::string, NumeroRuote> Celle;
    bool operator==(const RigaEstrazione&) const = default;
};

/// Today's date (yyyy-mm-dd) and time (hh:mm:ss), local, for the "datareg" and "orareg" of a write.
std::pair<std::string, std::string> DataOraRegistrazione();

class ErroreArchivio : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A draw whose date the archive already holds.
class ErroreDataPresente : public ErroreDatabase {
public:
    using ErroreDatabase::ErroreDatabase;
};

class DatabaseArchivio {
public:
    /// The schema this program writes; an older file is migrated when opened, a newer one refused.
    static constexpr int VersioneCorrente = 1;

    /// Opens an existing archive; throws ErroreDatabase if it is not an archive database, and
    /// ErroreVersioneSchema if a newer program wrote it.
    static std::unique_ptr<DatabaseArchivio> Apri(const std::string& percorso);
    /// Opens the file, creating it and its table when missing.
    static std::unique_ptr<DatabaseArchivio> ApriOCrea(const std::string& percorso);

    /// Every draw, oldest first. `progresso(i, totale)` is called per row.
    std::vector<RigaEstrazione> LeggiTutte(const std::function<void(int, int)>& progresso = {});
    std::optional<RigaEstrazione> Trova(const std::string& dataTesto);
    /// Adds a draw (one statement, inside the caller's transaction if it has one); throws
    /// ErroreDataPresente when its date is already present, and ErroreArchivio when the archive
    /// already holds ArchivioMemoria::MassimoEstrazioni draws (more could never be loaded).
    void Inserisci(const RigaEstrazione& riga, const std::string& datareg, const std::string& orareg);
    /// Rewrites the numbers of the draw of the same date in one transaction; false when absent.
    bool Modifica(const RigaEstrazione& riga, const std::string& datareg, const std::string& orareg);
    /// Deletes the draw of that date in one transaction; false when absent.
    bool Elimina(const std::string& dataTesto);
    int Conta();

    Database& Db() { return db_; }

private:
    DatabaseArchivio(const std::string& percorso, Database::Modo modo);
    void CreaSchema();
    void Migra();
    Database db_;
};

} // namespace trivalto
