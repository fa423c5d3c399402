// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program database "DbTrivalto.mdb": parameters, the default analysis settings and two tables
// the program only requires to exist. One object owns the open file for the program's lifetime.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/archive/Database.h"
// Every user of the parameter rows names them through these.
#include "core/archive/ChiaviParametri.h"

namespace trivalto {

struct RigaParametro {
    std::string Parametro, Valore1, Valore2;
};

class DatabaseProgramma {
public:
    static constexpr const char* NomeFile = "DbTrivalto.mdb";
    /// The schema this program writes; an older file is migrated when opened, a newer one refused.
    static constexpr int VersioneCorrente = 3;
    /// Where the update page downloads draws from unless the user sets another address: the Lotto
    /// operator's public historical archive (a ZIP of one line per wheel and draw).
    static constexpr const char* IndirizzoAggiornamentoUfficiale =
        "https://www.igt.it/STORICO_ESTRAZIONI_LOTTO/storico.zip";

    /// Opens an existing program database; throws ErroreDatabase when it cannot be opened or lacks
    /// one of its four tables.
    static std::unique_ptr<DatabaseProgramma> Apri(const std::string& percorso);
    /// Creates a new program database with its parameter rows and the "Standard" settings row.
    static std::unique_ptr<DatabaseProgramma> Crea(const std::string& percorso,
                                                   const std::string& percorsoArchivio);

    /// Valore1 of a parameter row; the name is matched ignoring case. Empty when the row is missing.
    std::optional<std::string> LeggiParametro(const std::string& nome);
    /// Rewrites Valore1 of an existing row; false when there is no such row (none is created).
    bool ScriviParametro(const std::string& nome, const std::string& valore);
    /// Sets Valore1 of a row, adding the row when a file made before the parameter existed lacks it.
    void ImpostaParametro(const std::string& nome, const std::string& valore);
    /// Every parameter row ordered by name.
    std::vector<RigaParametro> ElencoParametri();

    Database& Db() { return db_; }

private:
    explicit DatabaseProgramma(const std::string& percorso, Database::Modo modo);
    void Migra();
    Database db_;
};

} // namespace trivalto
