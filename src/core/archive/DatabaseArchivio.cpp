// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/archive/DatabaseArchivio.h"

#include <cstdio>

#include "core/archive/ArchivioMemoria.h"
#include "core/shell/Piattaforma.h"

namespace trivalto {

namespace {
constexpr const char* VistaAnnoMeseGiorno =
    "Query_AAMMGG AS SELECT CAST(substr(DataEstrazione, 1, 4) AS INTEGER) AS A, "
    "CAST(substr(DataEstrazione, 6, 2) AS INTEGER) AS M, CAST(substr(DataEstrazione, 9, 2) AS INTEGER) AS G, "
    "DataEstrazione FROM EstrazioniLotto";

std::string ColonneRuote() {
    std::string s;
    // "To" is an SQL keyword: every wheel column is quoted.
    for (auto c : CampiRuote)
        s += std::string(", \"") + std::string(c) + "\"";
    return s;
}

std::string IsoDaTesto(const std::string& testo) {
    Data d;
    if (!LeggiDataTesto(testo, d)) throw ErroreDatabase("data non valida: " + testo);
    return IsoData(d);
}
} // namespace

std::pair<std::string, std::string> DataOraRegistrazione() {
    const auto adesso = Adesso();
    char ora[16];
    std::snprintf(ora, sizeof ora, "%02d:%02d:%02d", adesso.ore, adesso.minuti, adesso.secondi);
    return {IsoData(adesso.data), ora};
}

DatabaseArchivio::DatabaseArchivio(const std::string& percorso, Database::Modo modo)
    : db_(percorso, PasswordDatabase(), modo) {}

namespace {

/// A database of other tables (the program database, say) is no archive, whatever its version says.
void RifiutaAltroDatabase(Database& db) {
    if (db.EsisteTabella("EstrazioniLotto")) return;
    auto st = db.Prepara("SELECT count(*) FROM sqlite_master WHERE type = 'table'");
    if (st.Step() && st.Intero(0) > 0) throw ErroreDatabase("il file non contiene un archivio di estrazioni");
}

} // namespace

std::unique_ptr<DatabaseArchivio> DatabaseArchivio::Apri(const std::string& percorso) {
    std::unique_ptr<DatabaseArchivio> a(new DatabaseArchivio(percorso, Database::Modo::Apri));
    RifiutaAltroDatabase(a->db_);
    RifiutaVersioneRecente(a->db_, VersioneCorrente);
    if (!a->db_.EsisteTabella("EstrazioniLotto"))
        throw ErroreDatabase("il file non contiene un archivio di estrazioni");
    a->Migra();
    return a;
}

std::unique_ptr<DatabaseArchivio> DatabaseArchivio::ApriOCrea(const std::string& percorso) {
    std::unique_ptr<DatabaseArchivio> a(new DatabaseArchivio(percorso, Database::Modo::Crea));
    RifiutaAltroDatabase(a->db_);
    RifiutaVersioneRecente(a->db_, VersioneCorrente);
    a->CreaSchema();
    a->Migra();
    return a;
}

void DatabaseArchivio::Migra() {
    MigraSchema(db_, VersioneCorrente, [this](int versione) {
        // Version 1: the year/month/day view, missing from archives written without a version.
        if (versione < 1) db_.Esegui(std::string("CREATE VIEW IF NOT EXISTS ").append(VistaAnnoMeseGiorno));
    });
}

void DatabaseArchivio::CreaSchema() {
    if (db_.EsisteTabella("EstrazioniLotto")) return;
    Transaction tr(db_);
    std::string sql = "CREATE TABLE EstrazioniLotto (DataEstrazione TEXT NOT NULL PRIMARY KEY";
    for (auto c : CampiRuote)
        sql += std::string(", \"") + std::string(c) + "\" TEXT";
    sql += ", datareg TEXT, orareg TEXT)";
    db_.Esegui(sql);
    db_.Esegui(std::string("CREATE VIEW ").append(VistaAnnoMeseGiorno));
    db_.ImpostaVersioneSchema(VersioneCorrente);
    tr.Conferma();
}

std::vector<RigaEstrazione> DatabaseArchivio::LeggiTutte(const std::function<void(int, int)>& progresso) {
    const int totale = progresso ? Conta() : 0;
    std::vector<RigaEstrazione> righe;
    righe.reserve(static_cast<size_t>(totale));
    auto st = db_.Prepara("SELECT DataEstrazione" + ColonneRuote() +
                          " FROM EstrazioniLotto ORDER BY DataEstrazione");
    while (st.Step()) {
        RigaEstrazione r;
        Data d;
        // Exactly the stored form: text after the date would make two rows of one draw.
        const auto iso = st.Testo(0);
        if (iso.size() != 10 || !LeggiDataIso(iso, d) || IsoData(d) != iso)
            throw ErroreArchivio("data non valida nell'archivio: \"" + iso + "\"");
        r.Data = TestoData(d);
        for (int w = 0; w < NumeroRuote; ++w)
            r.Celle[w] = st.Testo(w + 1);
        righe.push_back(std::move(r));
        if (progresso) progresso(static_cast<int>(righe.size()), totale);
    }
    return righe;
}

std::optional<RigaEstrazione> DatabaseArchivio::Trova(const std::string& dataTesto) {
    Data d;
    if (!LeggiDataTesto(dataTesto, d)) return std::nullopt;
    auto st = db_.Prepara("SELECT DataEstrazione" + ColonneRuote() +
                          " FROM EstrazioniLotto WHERE DataEstrazione = ?");
    st.Bind(1, IsoData(d));
    if (!st.Step()) return std::nullopt;
    RigaEstrazione r{dataTesto, {}};
    for (int w = 0; w < NumeroRuote; ++w)
        r.Celle[w] = st.Testo(w + 1);
    return r;
}

namespace {
bool Presente(Database& db, const std::string& iso) {
    auto st = db.Prepara("SELECT 1 FROM EstrazioniLotto WHERE DataEstrazione = ?");
    st.Bind(1, iso);
    return st.Step();
}
} // namespace

void DatabaseArchivio::Inserisci(const RigaEstrazione& riga, const std::string& datareg,
                                 const std::string& orareg) {
    const auto iso = IsoDaTesto(riga.Data);
    if (Presente(db_, iso)) throw ErroreDataPresente("data già presente nell'archivio: " + riga.Data);
    // An archive past the limit is one no part of the program can load any more: every write stops here.
    if (Conta() >= ArchivioMemoria::MassimoEstrazioni)
        throw ErroreArchivio("l'archivio ha già " + std::to_string(ArchivioMemoria::MassimoEstrazioni) +
                             " estrazioni, il massimo: l'estrazione del " + riga.Data +
                             " non è stata aggiunta");
    auto st = db_.Prepara("INSERT INTO EstrazioniLotto (DataEstrazione" + ColonneRuote() +
                          ", datareg, orareg) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
    st.Bind(1, iso);
    for (int w = 0; w < NumeroRuote; ++w)
        st.Bind(w + 2, riga.Celle[w]);
    st.Bind(13, datareg).Bind(14, orareg);
    st.Esegui();
}

bool DatabaseArchivio::Modifica(const RigaEstrazione& riga, const std::string& datareg,
                                const std::string& orareg) {
    const auto iso = IsoDaTesto(riga.Data);
    Transaction tr(db_);
    if (!Presente(db_, iso)) return false;
    std::string sql = "UPDATE EstrazioniLotto SET ";
    for (auto c : CampiRuote)
        sql.append("\"").append(c).append("\" = ?, ");
    sql += "datareg = ?, orareg = ? WHERE DataEstrazione = ?";
    auto st = db_.Prepara(sql);
    for (int w = 0; w < NumeroRuote; ++w)
        st.Bind(w + 1, riga.Celle[w]);
    st.Bind(12, datareg).Bind(13, orareg).Bind(14, iso);
    st.Esegui();
    tr.Conferma();
    return true;
}

bool DatabaseArchivio::Elimina(const std::string& dataTesto) {
    Data d;
    if (!LeggiDataTesto(dataTesto, d)) return false;
    Transaction tr(db_);
    if (!Presente(db_, IsoData(d))) return false;
    auto st = db_.Prepara("DELETE FROM EstrazioniLotto WHERE DataEstrazione = ?");
    st.Bind(1, IsoData(d));
    st.Esegui();
    tr.Conferma();
    return true;
}

int DatabaseArchivio::Conta() {
    auto st = db_.Prepara("SELECT count(*) FROM EstrazioniLotto");
    st.Step();
    return static_cast<int>(st.Intero(0));
}

} // namespace trivalto
