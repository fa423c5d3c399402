// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Thin RAII layer over an encrypted SQLite (SQLCipher) file. Every statement is prepared with bound
// parameters; the key is given through the API and never appears in SQL text.
#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace trivalto {

class ErroreDatabase : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class Statement {
public:
    Statement(sqlite3* db, std::string_view sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int indice, std::string_view testo); // 1-based, as SQLite
    Statement& Bind(int indice, int64_t valore);
    Statement& BindNull(int indice);
    /// Steps once; true while a row is available.
    bool Step();
    /// Runs to completion (for statements without rows).
    void Esegui();
    void Reset();

    std::string Testo(int colonna) const; // 0-based
    int64_t Intero(int colonna) const;
    bool Nullo(int colonna) const;

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class Database {
public:
    enum class Modo { Apri, Crea };
    /// Opens (or creates) the file and sets the key; a wrong key or a file that is not a database
    /// throws ErroreDatabase here, because the file is read once to verify it.
    Database(const std::string& percorso, const std::string& chiave, Modo modo);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void Esegui(std::string_view sql);
    Statement Prepara(std::string_view sql) { return Statement(db_, sql); }
    bool EsisteTabella(std::string_view nome);
    int VersioneSchema();
    void ImpostaVersioneSchema(int versione);
    const std::string& Percorso() const { return percorso_; }
    /// True while a transaction is open on the connection.
    bool InTransazione() const;

private:
    sqlite3* db_ = nullptr;
    std::string percorso_;
};

/// Commits on Conferma(), rolls back otherwise. Opened inside another transaction it does nothing
/// itself: the outer one decides for both.
class Transaction {
public:
    explicit Transaction(Database& db);
    ~Transaction();
    void Conferma();

private:
    Database& db_;
    bool chiusa_ = false;
};

/// The password both database files share, assembled at run time.
std::string PasswordDatabase();

/// A file written by a newer version of the program: refused and left as it is.
class ErroreVersioneSchema : public ErroreDatabase {
public:
    using ErroreDatabase::ErroreDatabase;
};

/// Throws ErroreVersioneSchema, with the message the user sees, when the file's schema is newer
/// than `versioneCorrente`.
void RifiutaVersioneRecente(Database& db, int versioneCorrente);

/// Brings an open file's schema up to `versioneCorrente`. An older file is first copied beside
/// itself ("<file>.versioneN.bak", never overwriting an earlier copy), then `passi(versioneTrovata)`
/// and the new version number are applied in one transaction: on any failure the file stays as it
/// was. A file that holds nothing yet gets no copy. Returns the copy's path, empty when none was made.
std::string MigraSchema(Database& db, int versioneCorrente, const std::function<void(int)>& passi);

} // namespace trivalto
