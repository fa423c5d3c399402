#include <chrono>
#include <ctime>
#include <filesystem>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/archive/FormatiTesto.h"

namespace trivalto::cli {

namespace {

/// Adds the draws of a text or "storico" file to an archive database in one transaction.
/// Draws already present with the same numbers are skipped; a date present with other numbers
/// is an error, and then nothing is written.
int ImportaFile(const std::string& file, const std::string& archivio, std::ostream& out, std::ostream& err) {
    std::vector<RigaEstrazione> righe;
    try {
        righe = LeggiFileEstrazioni(file);
    } catch (const ErroreFormato& e) {
        err << "Errore nel file " << file << ", " << e.what() << ": nessuna estrazione importata\n";
        return 1;
    }
    try {
        auto db = DatabaseArchivio::ApriOCrea(archivio);
        const auto [datareg, orareg] = DataOraRegistrazione();
        Transaction tr(db->Db());
        int aggiunte = 0, presenti = 0;
        for (const auto& r : righe) {
            if (auto esistente = db->Trova(r.Data)) {
                if (*esistente != r) {
                    err << "L'estrazione del " << r.Data
                        << " è già in archivio con numeri diversi: nessuna estrazione importata\n";
                    return 1;
                }
                ++presenti;
                continue;
            }
            db->Inserisci(r, datareg, orareg);
            ++aggiunte;
        }
        tr.Conferma();
        out << "Estrazioni aggiunte: " << aggiunte << ", già presenti: " << presenti
            << ", totale in archivio: " << db->Conta() << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "Impossibile scrivere l'archivio " << archivio << ": " << e.what() << "\n";
        return 1;
    }
}

} // namespace

int Importa(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err) {
    Opzioni o(argomenti);
    std::string file, archivio;
    if (!o.Valore("--archivio", archivio) || !o.Posizionale(file) || !o.Finite()) {
        if (!o.Errore.empty()) err << "Errore: " << o.Errore << "\n";
        err << "Uso: trivalto-cli importa FILE --archivio DB\n";
        return 2;
    }
    return ImportaFile(file, archivio, out, err);
}

int Prepara(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err) {
    Opzioni o(argomenti);
    std::string cartella, testo, archivio;
    if (!o.Valore("--cartella", cartella) || !o.Valore("--testo", testo) ||
        !o.Valore("--archivio", archivio) || !o.Finite()) {
        err << "Uso: trivalto-cli prepara --cartella DIR --testo FILE --archivio DB\n";
        return 2;
    }
    if (const int rc = ImportaFile(testo, archivio, out, err); rc != 0) return rc;
    try {
        const auto percorso = (std::filesystem::path(cartella) / DatabaseProgramma::NomeFile).string();
        std::filesystem::remove(percorso);
        DatabaseProgramma::Crea(percorso, std::filesystem::absolute(archivio).string());
        out << "Database del programma: " << percorso << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "Impossibile creare il database del programma: " << e.what() << "\n";
        return 1;
    }
}

} // namespace trivalto::cli
