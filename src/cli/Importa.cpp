// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>
#include <optional>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "core/archive/CauseSistema.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/archive/FormatiTesto.h"
#include "core/shell/Piattaforma.h"

namespace trivalto::cli {

namespace fs = std::filesystem;

namespace {

/// A file written beside its destination and moved over it only when complete, so a failure or a
/// kill leaves either no file or the old one, never a half-made one. Its name is fixed, so that what a
/// killed run left is cleared: only the holder of the destination's lock may make one.
class FileNuovo {
public:
    explicit FileNuovo(const std::string& destinazione)
        : destinazione_(destinazione), temporaneo_(destinazione + ".nuovo") {
        Rimuovi();
    }
    ~FileNuovo() {
        if (!spostato_) Rimuovi();
    }
    const std::string& Percorso() const { return temporaneo_; }
    void Sposta() {
        std::error_code ec;
        fs::rename(PercorsoDaTesto(temporaneo_), PercorsoDaTesto(destinazione_), ec);
        if (ec)
            throw std::runtime_error("impossibile mettere al suo posto il file nuovo " + destinazione_ +
                                     ": " + CausaSistema(ec));
        spostato_ = true;
    }

private:
    void Rimuovi() {
        std::error_code ec;
        fs::remove(PercorsoDaTesto(temporaneo_), ec);
        fs::remove(PercorsoDaTesto(temporaneo_ + "-journal"), ec);
    }
    std::string destinazione_, temporaneo_;
    bool spostato_ = false;
};

/// The lock of a write of `file`, beside it. Two writers would otherwise remove each other's new
/// file, or move one over the other's finished one. When no lock file can be made here, no file can
/// be written here either, and the write itself says why.
bool Blocca(std::optional<BloccoEsclusivo>& blocco, const std::string& file) {
    blocco.emplace(file + ".blocco");
    return blocco->Stato() != BloccoEsclusivo::Esito::Occupato;
}

/// Whether two paths name one file, existing or not (a link to it, another spelling of it).
bool StessoFile(const std::string& a, const std::string& b) {
    std::error_code ec;
    if (fs::equivalent(PercorsoDaTesto(a), PercorsoDaTesto(b), ec)) return true;
    const auto forma = [](const std::string& p) {
        const auto fine = FineCollegamenti(p);
        std::error_code e;
        auto assoluto = fs::absolute(PercorsoDaTesto(fine.empty() ? p : fine), e);
        auto canonico = fs::weakly_canonical(assoluto, e);
        return e ? assoluto.lexically_normal() : canonico;
    };
    return forma(a) == forma(b);
}

using Registrazione = std::pair<std::string, std::string>; // datareg, orareg

/// Adds `righe` to the archive database in one transaction. Draws already present with the same
/// numbers are skipped; a date present with other numbers, or more draws than the archive may
/// hold, is an error, and then nothing is written. A new archive is made whole beside its place
/// and moved there at the end. The rows are stamped `registrazione`, or now when it is missing.
int ScriviArchivio(const std::vector<RigaEstrazione>& righe, const std::string& archivio, std::ostream& out,
                   std::ostream& err, const std::optional<Registrazione>& registrazione = {}) {
    try {
        std::error_code ec;
        if (fs::is_directory(PercorsoDaTesto(archivio), ec)) {
            err << "Impossibile scrivere l'archivio " << archivio << ": è una cartella\n";
            return 1;
        }
        std::optional<BloccoEsclusivo> blocco;
        if (!Blocca(blocco, archivio)) {
            err << "Impossibile scrivere l'archivio " << archivio
                << ": un'altra scrittura dello stesso archivio è in corso: nessuna estrazione importata\n";
            return 1;
        }
        std::optional<FileNuovo> nuovo;
        if (!fs::exists(PercorsoDaTesto(archivio), ec) || fs::file_size(PercorsoDaTesto(archivio), ec) == 0)
            nuovo.emplace(archivio);
        // An existing file must already be an archive: tables are never added to someone else's database.
        auto db = nuovo ? DatabaseArchivio::ApriOCrea(nuovo->Percorso()) : DatabaseArchivio::Apri(archivio);
        const auto [datareg, orareg] = registrazione ? *registrazione : DataOraRegistrazione();
        Transaction tr(db->Db());
        std::vector<const RigaEstrazione*> daAggiungere;
        int presenti = 0;
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
            daAggiungere.push_back(&r);
        }
        const int giaInArchivio = db->Conta();
        if (giaInArchivio + static_cast<int>(daAggiungere.size()) > ArchivioMemoria::MassimoEstrazioni) {
            err << "L'archivio avrebbe " << giaInArchivio + static_cast<int>(daAggiungere.size())
                << " estrazioni, più del massimo di " << ArchivioMemoria::MassimoEstrazioni
                << ": nessuna estrazione importata\n";
            return 1;
        }
        for (const auto* r : daAggiungere)
            db->Inserisci(*r, datareg, orareg);
        tr.Conferma();
        const int totale = db->Conta();
        db.reset();
        if (nuovo) nuovo->Sposta();
        out << "Estrazioni aggiunte: " << daAggiungere.size() << ", già presenti: " << presenti
            << ", totale in archivio: " << totale << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "Impossibile scrivere l'archivio " << archivio << ": " << e.what()
            << ": nessuna estrazione importata\n";
        return 1;
    }
}

bool LeggiFile(const std::string& file, std::vector<RigaEstrazione>& righe, std::ostream& err) {
    try {
        righe = LeggiFileEstrazioni(file);
        return true;
    } catch (const ErroreFormato& e) {
        err << "Errore nel file " << file << ", " << e.what() << ": nessuna estrazione importata\n";
        return false;
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
    std::vector<RigaEstrazione> righe;
    if (!LeggiFile(file, righe, err)) return 1;
    return ScriviArchivio(righe, archivio, out, err);
}

/// Every check comes before the first write, and the program database is moved into place only
/// after the archive was written: a failure leaves the folder as it was.
int Prepara(const std::vector<std::string>& argomenti, std::ostream& out, std::ostream& err) {
    Opzioni o(argomenti);
    std::string cartella, testo, archivio, dataRegistrazione;
    // The build stamps the bundled archive with the release's date: the machine's clock would make
    // every build's data differ.
    std::optional<Registrazione> registrazione;
    const bool lette = o.Valore("--cartella", cartella) && o.Valore("--testo", testo) &&
                       o.Valore("--archivio", archivio) &&
                       o.Valore("--registrazione", dataRegistrazione, false) && o.Finite();
    if (lette && !dataRegistrazione.empty()) {
        Data d;
        if (LeggiDataIso(dataRegistrazione, d) && DataValida(d))
            registrazione = Registrazione{IsoData(d), "00:00:00"};
        else
            o.Errore = "data non valida per --registrazione: " + dataRegistrazione + " (aaaa-mm-gg)";
    }
    if (!lette || !o.Errore.empty()) {
        if (!o.Errore.empty()) err << "Errore: " << o.Errore << "\n";
        err << "Uso: trivalto-cli prepara --cartella DIR --testo FILE --archivio DB [--registrazione "
               "AAAA-MM-GG]\n";
        return 2;
    }
    std::error_code ec;
    if (!fs::is_directory(PercorsoDaTesto(cartella), ec)) {
        err << "Impossibile creare il database del programma: la cartella " << cartella << " non esiste\n";
        return 1;
    }
    std::vector<RigaEstrazione> righe;
    if (!LeggiFile(testo, righe, err)) return 1;
    const auto percorso = TestoDaPercorso(PercorsoDaTesto(cartella) / DatabaseProgramma::NomeFile);
    if (fs::is_directory(PercorsoDaTesto(percorso), ec)) {
        err << "Impossibile creare il database del programma: " << percorso << " è una cartella\n";
        return 1;
    }
    // The program database moved into place at the end would replace the archive just written.
    if (StessoFile(archivio, percorso)) {
        err << "Impossibile creare il database del programma: l'archivio " << archivio
            << " è lo stesso file del database del programma\n";
        return 1;
    }
    std::optional<BloccoEsclusivo> blocco;
    if (!Blocca(blocco, percorso)) {
        err << "Impossibile creare il database del programma: un'altra scrittura di " << percorso
            << " è in corso\n";
        return 1;
    }
    FileNuovo programma(percorso);
    try {
        // Stored as the system writes paths: the windows show it as it is.
        DatabaseProgramma::Crea(programma.Percorso(),
                                PercorsoDiSistema(TestoDaPercorso(fs::absolute(PercorsoDaTesto(archivio)))));
    } catch (const std::exception& e) {
        err << "Impossibile creare il database del programma: " << e.what() << "\n";
        return 1;
    }
    if (const int rc = ScriviArchivio(righe, archivio, out, err, registrazione); rc != 0) return rc;
    try {
        programma.Sposta();
    } catch (const std::exception& e) {
        err << "Impossibile creare il database del programma: " << e.what() << "\n";
        return 1;
    }
    out << "Database del programma: " << percorso << "\n";
    return 0;
}

} // namespace trivalto::cli
