// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "core/archive/ChiaviParametri.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/maintenance/Aggiornamento.h"
#include "core/maintenance/Scaricamento.h"
#include "core/shell/Piattaforma.h"

namespace trivalto::cli {

namespace {

const char* TestoMarca(Marca m) {
    switch (m) {
    case Marca::DaImportare:
        return "importa";
    case Marca::Errata:
        return "errata";
    case Marca::Uguale:
        return "uguale";
    case Marca::NonValida:
        break;
    }
    return "non valida";
}

/// A field of a line that is no draw may hold a tab or a carriage return: shown as "?", so each row
/// stays one line of cells.
std::string Leggibile(std::string testo) {
    for (auto& c : testo)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return testo;
}

/// An address ("scheme://..."), which the transfer accepts or refuses by its protocol, rather than
/// a file: "gopher://x" is an address the program does not use, not a file that is missing.
bool Indirizzo(const std::string& da) {
    const auto schema = da.find("://");
    if (schema == std::string::npos || schema == 0 || !std::isalpha(static_cast<unsigned char>(da[0])))
        return false;
    return std::all_of(da.begin(), da.begin() + static_cast<std::ptrdiff_t>(schema),
                       [](unsigned char c) { return std::isalnum(c) || c == '+' || c == '-' || c == '.'; });
}

} // namespace

/// `aggiorna [--da URL|FILE] [--applica] [--corregge] [--archivio DB]`: the update table with its
/// marks and the report; with --applica the marked draws are written in one transaction.
int Aggiorna(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
             std::ostream& err) {
    Opzioni o(argomenti);
    std::string da, archivio;
    o.Valore("--da", da, false);
    o.Valore("--archivio", archivio, false);
    const bool applica = o.Interruttore("--applica");
    const bool corregge = o.Interruttore("--corregge");
    if (!o.Errore.empty()) {
        err << "Errore: " << o.Errore << "\n";
        return 2;
    }
    if (corregge && !applica) {
        err << "Errore: --corregge va con --applica\n";
        return 2;
    }
    if (!o.Finite()) {
        err << "Uso: trivalto-cli aggiorna [--da URL|FILE] [--applica] [--corregge] [--archivio DB]\n";
        return 2;
    }
    // Named in the message of a failure, so the user knows whether the transfer or the archive failed.
    std::string fase = "configurazione";
    try {
        if (archivio.empty() || da.empty()) {
            const auto db =
                TestoDaPercorso(PercorsoDaTesto(amb.CartellaProgramma) / DatabaseProgramma::NomeFile);
            fase = "lettura del database del programma " + db;
            std::error_code ec;
            if (!std::filesystem::exists(PercorsoDaTesto(db), ec))
                throw ErroreAggiornamento("file non trovato");
            auto programma = DatabaseProgramma::Apri(db);
            if (archivio.empty())
                archivio = programma->LeggiParametro(ChiaviParametri::PercorsoArchivio).value_or("");
            if (da.empty())
                da = programma->LeggiParametro(ChiaviParametri::IndirizzoAggiornamento).value_or("");
            fase = "configurazione";
            if (da.empty())
                throw ErroreAggiornamento("nessun indirizzo di aggiornamento configurato: usare --da");
        }
        fase = Indirizzo(da) ? "scaricamento" : "lettura del file";
        const std::string contenuto = Indirizzo(da) ? Scarica(da) : LeggiSorgente(da);
        fase = "lettura del file";
        const auto righe = RigheDaSorgente(contenuto);
        fase = "apertura dell'archivio";
        auto db = DatabaseArchivio::Apri(archivio);
        fase = "controllo";
        const auto esito = ControllaRighe(*db, righe);
        out << "## FgImporta\n\tData    estraz   ";
        for (const auto& nome : NomiRuote)
            if (nome != "Tutte") out << "\t" << nome;
        out << "\tSegno\n";
        for (size_t i = 0; i < righe.size(); ++i) {
            out << "\t" << Leggibile(righe[i].Data);
            for (const auto& cella : righe[i].Celle)
                out << "\t" << Leggibile(cella);
            out << "\t" << TestoMarca(esito.Righe[i].Segno) << "\n";
        }
        out << "## List4\n";
        for (const auto& riga : esito.Resoconto)
            out << riga << "\n";
        if (!applica) return 0;
        fase = "scrittura";
        const auto scritto = ApplicaRighe(*db, righe, esito.Righe, corregge);
        out << "## Aggiornamento\n";
        for (const auto& riga : scritto.Resoconto)
            out << riga << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "Aggiornamento non riuscito (" << fase << "), archivio non modificato: " << e.what() << "\n";
        return 1;
    }
}

} // namespace trivalto::cli
