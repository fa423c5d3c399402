// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/DatabaseProgramma.h"

namespace trivalto {

namespace {
constexpr const char* Tabelle[] = {"ParametriProgramma", "Impostazioni", "Salvataggi", "Giocate"};
} // namespace

DatabaseProgramma::DatabaseProgramma(const std::string& percorso, Database::Modo modo)
    : db_(percorso, PasswordDatabase(), modo) {}

std::unique_ptr<DatabaseProgramma> DatabaseProgramma::Apri(const std::string& percorso) {
    std::unique_ptr<DatabaseProgramma> p(new DatabaseProgramma(percorso, Database::Modo::Apri));
    RifiutaVersioneRecente(p->db_, VersioneCorrente);
    for (const char* t : Tabelle)
        if (!p->db_.EsisteTabella(t)) throw ErroreDatabase(std::string("manca la tabella ") + t);
    p->Migra();
    return p;
}

std::unique_ptr<DatabaseProgramma> DatabaseProgramma::Crea(const std::string& percorso,
                                                           const std::string& percorsoArchivio) {
    std::unique_ptr<DatabaseProgramma> p(new DatabaseProgramma(percorso, Database::Modo::Crea));
    RifiutaVersioneRecente(p->db_, VersioneCorrente);
    p->Migra();
    Transaction tr(p->db_);
    auto ins = p->db_.Prepara(
        "INSERT OR REPLACE INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?, ?, '')");
    const std::pair<const char*, std::string> righe[] = {
        {ChiaviParametri::PercorsoArchivio, percorsoArchivio},
        {ChiaviParametri::EstrazioneIniziale, "1"},
        {ChiaviParametri::IndirizzoInternet, "http://www.trivalto.it"},
        {ChiaviParametri::PercorsoDatiIii, ""},
        {ChiaviParametri::IndirizzoAggiornamento, IndirizzoAggiornamentoUfficiale}};
    for (const auto& [nome, valore] : righe) {
        ins.Bind(1, nome).Bind(2, valore).Esegui();
        ins.Reset();
    }
    p->db_.Esegui(
        "INSERT OR REPLACE INTO Impostazioni (Chiave, Numcasi, Somma, Distanza, Differenza, Posizioni, "
        "RuotaOrigine, Trasformazione, Fisso, Dacolpo, Colpi, Elenco, RuoteGioco) VALUES "
        "('Standard', 11, 1, 0, 0, '11111', 0, 0, 0, 0, 7, '50', '10000000000')");
    tr.Conferma();
    return p;
}

void DatabaseProgramma::Migra() {
    MigraSchema(db_, VersioneCorrente, [this](int versione) {
        if (versione < 1) {
            db_.Esegui("CREATE TABLE IF NOT EXISTS ParametriProgramma ("
                       "Parametro TEXT PRIMARY KEY COLLATE NOCASE, Valore1 TEXT, Valore2 TEXT)");
            db_.Esegui("CREATE TABLE IF NOT EXISTS Impostazioni ("
                       "Chiave TEXT PRIMARY KEY COLLATE NOCASE, Numcasi INTEGER, Somma INTEGER, "
                       "Distanza INTEGER, Differenza INTEGER, Posizioni TEXT, RuotaOrigine INTEGER, "
                       "Trasformazione INTEGER, Fisso INTEGER, Dacolpo INTEGER, Colpi INTEGER, Elenco TEXT, "
                       "RuoteGioco TEXT)");
            db_.Esegui("CREATE TABLE IF NOT EXISTS Salvataggi (Id INTEGER PRIMARY KEY, Nome TEXT, "
                       "Contenuto TEXT)");
            db_.Esegui(
                "CREATE TABLE IF NOT EXISTS Giocate (Id INTEGER PRIMARY KEY, Data TEXT, Descrizione TEXT)");
        }
        // Version 2: whether the analysis window opens with the "Standard" settings (off)
        // and where the update file is downloaded from.
        if (versione < 2) {
            db_.Esegui("ALTER TABLE Impostazioni ADD COLUMN UsaAllApertura INTEGER DEFAULT 0");
            auto st = db_.Prepara(
                "INSERT OR IGNORE INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?, '', '')");
            st.Bind(1, ChiaviParametri::IndirizzoAggiornamento).Esegui();
        }
        // Version 3: an address left empty by version 2 (which shipped none) gets the official
        // archive; one the user typed is kept.
        if (versione < 3) {
            auto st = db_.Prepara("UPDATE ParametriProgramma SET Valore1 = ? WHERE Parametro = ? "
                                  "AND (Valore1 IS NULL OR Valore1 = '')");
            st.Bind(1, IndirizzoAggiornamentoUfficiale)
                .Bind(2, ChiaviParametri::IndirizzoAggiornamento)
                .Esegui();
        }
    });
}

std::optional<std::string> DatabaseProgramma::LeggiParametro(const std::string& nome) {
    auto st = db_.Prepara("SELECT Valore1 FROM ParametriProgramma WHERE Parametro = ?");
    st.Bind(1, nome);
    if (!st.Step()) return std::nullopt;
    return st.Testo(0);
}

bool DatabaseProgramma::ScriviParametro(const std::string& nome, const std::string& valore) {
    auto st = db_.Prepara("UPDATE ParametriProgramma SET Valore1 = ? WHERE Parametro = ?");
    st.Bind(1, valore).Bind(2, nome).Esegui();
    auto conta = db_.Prepara("SELECT changes()");
    conta.Step();
    return conta.Intero(0) > 0;
}

void DatabaseProgramma::ImpostaParametro(const std::string& nome, const std::string& valore) {
    if (ScriviParametro(nome, valore)) return;
    auto st = db_.Prepara("INSERT INTO ParametriProgramma (Parametro, Valore1, Valore2) VALUES (?, ?, '')");
    st.Bind(1, nome).Bind(2, valore).Esegui();
}

std::vector<RigaParametro> DatabaseProgramma::ElencoParametri() {
    std::vector<RigaParametro> righe;
    auto st = db_.Prepara("SELECT Parametro, Valore1, Valore2 FROM ParametriProgramma ORDER BY Parametro");
    while (st.Step())
        righe.push_back({st.Testo(0), st.Testo(1), st.Testo(2)});
    return righe;
}

} // namespace trivalto
