// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shell/InformazioniProgramma.h"

#include <curl/curl.h>
#include <sqlite3.h>
#include <zip.h>

// The version's three numbers come from CMake's project version as compile definitions.
#define TRIVALTO_TESTO(x) #x
#define TRIVALTO_NUMERO(x) TRIVALTO_TESTO(x)

namespace trivalto {

namespace {

/// SQLCipher names its own version only through a pragma of an open connection.
std::string VersioneSqlcipher() {
    sqlite3* db = nullptr;
    std::string versione;
    if (sqlite3_open(":memory:", &db) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA cipher_version", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            if (const auto* t = sqlite3_column_text(st, 0)) versione = reinterpret_cast<const char*>(t);
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return (versione.empty() ? std::string("?") : versione) + " (SQLite " + sqlite3_libversion() + ")";
}
} // namespace

std::string VersioneProgramma() {
    return TRIVALTO_NUMERO(TRIVALTO_VERSIONE_MAJOR) "." TRIVALTO_NUMERO(
        TRIVALTO_VERSIONE_MINOR) "." TRIVALTO_NUMERO(TRIVALTO_VERSIONE_REVISION);
}

std::string AvvisoLicenza() {
    return "Trivalto è software libero: si può ridistribuire e modificare secondo i termini della GNU "
           "General Public License pubblicata dalla Free Software Foundation, versione 3 o (a scelta) "
           "successiva. È distribuito nella speranza che sia utile, ma SENZA ALCUNA GARANZIA, nemmeno "
           "quella implicita di COMMERCIABILITÀ o di IDONEITÀ A UNO SCOPO PARTICOLARE.";
}

std::string ProvenienzaDati() {
    return "Le estrazioni sono i risultati pubblici del gioco del Lotto, tratti dall'archivio storico "
           "ufficiale pubblicato dall'operatore del gioco; gli aggiornamenti si scaricano dallo stesso "
           "archivio o dall'indirizzo scelto nella pagina \"Salvataggi\" della gestione archivio.";
}

std::vector<Libreria> LibrerieUsate() {
    return {
        {"SQLCipher", VersioneSqlcipher(), "BSD-3-Clause"},
        {"libcurl", curl_version_info(CURLVERSION_NOW)->version, "curl"},
        {"libzip", zip_libzip_version(), "BSD-3-Clause"},
    };
}

} // namespace trivalto
