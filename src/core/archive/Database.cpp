// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/Database.h"

#include <sqlite3.h>

#include <filesystem>

#include "core/archive/CauseSistema.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

namespace {
/// The common failures in the user's language; other texts of the library pass through.
std::string CausaTradotta(int codice) {
    switch (codice & 0xff) {
    case SQLITE_NOTADB:
        return "il file non è un database di questo programma, oppure ha un'altra password";
    case SQLITE_READONLY:
        return "il file è di sola lettura";
    case SQLITE_FULL:
        return "disco pieno";
    case SQLITE_CANTOPEN:
        return "impossibile aprire o creare il file (cartella inesistente o senza permesso di scrittura)";
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return "permesso negato";
    case SQLITE_CORRUPT:
        return "il database è danneggiato";
    case SQLITE_IOERR:
        return "errore di lettura o scrittura sul disco";
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "il database è in uso da un altro programma";
    case SQLITE_NOMEM:
        return "memoria insufficiente";
    default:
        return {};
    }
}

std::string Causa(sqlite3* db, const std::string& contesto) {
    if (!db) return contesto + ": errore sconosciuto";
    auto tradotta = CausaTradotta(sqlite3_errcode(db));
    return tradotta.empty() ? contesto + ": " + sqlite3_errmsg(db) : tradotta;
}

[[noreturn]] void Fallisci(sqlite3* db, const std::string& contesto) {
    throw ErroreDatabase(Causa(db, contesto));
}
} // namespace

Statement::Statement(sqlite3* db, std::string_view sql) : db_(db) {
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &stmt_, nullptr) != SQLITE_OK)
        Fallisci(db_, "preparazione");
}

Statement::~Statement() {
    sqlite3_finalize(stmt_);
}

Statement& Statement::Bind(int i, std::string_view testo) {
    if (sqlite3_bind_text(stmt_, i, testo.data(), static_cast<int>(testo.size()), SQLITE_TRANSIENT) !=
        SQLITE_OK)
        Fallisci(db_, "parametro");
    return *this;
}

Statement& Statement::Bind(int i, int64_t valore) {
    if (sqlite3_bind_int64(stmt_, i, valore) != SQLITE_OK) Fallisci(db_, "parametro");
    return *this;
}

Statement& Statement::BindNull(int i) {
    if (sqlite3_bind_null(stmt_, i) != SQLITE_OK) Fallisci(db_, "parametro");
    return *this;
}

bool Statement::Step() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    Fallisci(db_, "esecuzione");
}

void Statement::Esegui() {
    while (Step()) {
    }
}

void Statement::Reset() {
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
}

std::string Statement::Testo(int c) const {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, c));
    return t ? std::string(t, static_cast<size_t>(sqlite3_column_bytes(stmt_, c))) : std::string();
}

int64_t Statement::Intero(int c) const {
    return sqlite3_column_int64(stmt_, c);
}
bool Statement::Nullo(int c) const {
    return sqlite3_column_type(stmt_, c) == SQLITE_NULL;
}

Database::Database(const std::string& percorso, const std::string& chiave, Modo modo) : percorso_(percorso) {
    if (percorso.empty()) throw ErroreDatabase("percorso del database vuoto");
    // Without exceptions: a folder that may not be searched would give the library's own text.
    std::error_code ec;
    const auto stato = std::filesystem::status(PercorsoDaTesto(percorso), ec);
    if (ec && stato.type() != std::filesystem::file_type::not_found)
        throw ErroreDatabase("impossibile aprire " + percorso + ": " + CausaSistema(ec));
    if (std::filesystem::is_directory(stato)) throw ErroreDatabase(percorso + " è una cartella, non un file");
    if (modo == Modo::Apri && !std::filesystem::exists(stato))
        throw ErroreDatabase("file non trovato: " + percorso);
    if (std::filesystem::exists(stato) && !std::filesystem::is_regular_file(stato))
        throw ErroreDatabase(percorso + " non è un file normale");
    const int flags = SQLITE_OPEN_READWRITE | (modo == Modo::Crea ? SQLITE_OPEN_CREATE : 0);
    if (sqlite3_open_v2(percorso.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
        std::string messaggio = Causa(db_, "apertura non riuscita");
        sqlite3_close(db_);
        db_ = nullptr;
        throw ErroreDatabase(messaggio);
    }
    try {
        if (sqlite3_key(db_, chiave.data(), static_cast<int>(chiave.size())) != SQLITE_OK)
            Fallisci(db_, "chiave");
        // The key is only checked when a page is read.
        Statement verifica(db_, "SELECT count(*) FROM sqlite_master");
        verifica.Step();
        sqlite3_busy_timeout(db_, 2000);
    } catch (...) {
        sqlite3_close(db_);
        db_ = nullptr;
        throw;
    }
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::Esegui(std::string_view sql) {
    std::string testo(sql);
    char* errore = nullptr;
    if (const int rc = sqlite3_exec(db_, testo.c_str(), nullptr, nullptr, &errore); rc != SQLITE_OK) {
        std::string messaggio = CausaTradotta(rc);
        if (messaggio.empty()) messaggio = errore ? errore : "errore";
        sqlite3_free(errore);
        throw ErroreDatabase(messaggio);
    }
}

bool Database::EsisteTabella(std::string_view nome) {
    auto st =
        Prepara("SELECT 1 FROM sqlite_master WHERE type IN ('table','view') AND name = ? COLLATE NOCASE");
    st.Bind(1, nome);
    return st.Step();
}

int Database::VersioneSchema() {
    auto st = Prepara("PRAGMA user_version");
    return st.Step() ? static_cast<int>(st.Intero(0)) : 0;
}

void Database::ImpostaVersioneSchema(int versione) {
    // PRAGMA takes no bound parameters; the value is an integer we produce.
    Esegui("PRAGMA user_version = " + std::to_string(versione));
}

Transaction::Transaction(Database& db) : db_(db) {
    // Inside an open transaction this one belongs to it: the outer one commits or rolls back all.
    chiusa_ = db_.InTransazione();
    if (!chiusa_) db_.Esegui("BEGIN IMMEDIATE");
}

bool Database::InTransazione() const {
    return sqlite3_get_autocommit(db_) == 0;
}

Transaction::~Transaction() {
    if (!chiusa_) {
        try {
            db_.Esegui("ROLLBACK");
        } catch (...) {
        }
    }
}

void Transaction::Conferma() {
    if (chiusa_) return;
    db_.Esegui("COMMIT");
    chiusa_ = true;
}

std::string PasswordDatabase() {
    // Short pieces so the whole key never stands as one literal in the binary.
    const char* pezzi[] = {"Tr", "1v", "@l", "t0", "-", "L0", "tt", "0", "#", "90"};
    std::string chiave;
    for (const char* p : pezzi)
        chiave += p;
    return chiave;
}

void RifiutaVersioneRecente(Database& db, int versioneCorrente) {
    const int trovata = db.VersioneSchema();
    if (trovata <= versioneCorrente) return;
    std::string messaggio = "Il file ";
    messaggio.append(db.Percorso())
        .append(" è stato scritto da una versione più recente di Trivalto (dati in versione ")
        .append(std::to_string(trovata))
        .append(", questa versione del programma arriva alla ")
        .append(std::to_string(versioneCorrente))
        .append("). Il file non è stato modificato: per usarlo installare la versione più recente del "
                "programma.");
    throw ErroreVersioneSchema(messaggio);
}

namespace {
std::string CopiaAccanto(const std::string& percorso, int versione) {
    const std::string base = percorso + ".versione" + std::to_string(versione);
    for (int n = 1;; ++n) {
        const std::string copia = n == 1 ? base + ".bak" : base + "-" + std::to_string(n) + ".bak";
        std::error_code ec;
        if (std::filesystem::exists(PercorsoDaTesto(copia), ec)) continue;
        if (std::filesystem::copy_file(PercorsoDaTesto(percorso), PercorsoDaTesto(copia), ec)) return copia;
        throw ErroreDatabase("impossibile copiare " + percorso +
                             " prima di aggiornarlo: " + CausaSistema(ec));
    }
}
} // namespace

std::string MigraSchema(Database& db, int versioneCorrente, const std::function<void(int)>& passi) {
    RifiutaVersioneRecente(db, versioneCorrente);
    if (db.VersioneSchema() == versioneCorrente) return {};
    Transaction tr(db);
    // Read again under the write lock: another program may have migrated the file meanwhile.
    const int trovata = db.VersioneSchema();
    RifiutaVersioneRecente(db, versioneCorrente);
    if (trovata == versioneCorrente) return {};
    std::string copia;
    {
        auto oggetti = db.Prepara("SELECT count(*) FROM sqlite_master");
        // Nothing has been written in this transaction yet, so the file on disk is whole.
        if (oggetti.Step() && oggetti.Intero(0) > 0) copia = CopiaAccanto(db.Percorso(), trovata);
    }
    passi(trovata);
    db.ImpostaVersioneSchema(versioneCorrente);
    tr.Conferma();
    return copia;
}

} // namespace trivalto
