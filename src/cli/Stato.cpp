// SPDX-License-Identifier: GPL-3.0-or-later
#include <filesystem>

#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "cli/OpzioniAnalisi.h"
#include "core/archive/ChiaviParametri.h"
#include "core/archive/DatabaseProgramma.h"
#include "core/maintenance/EstrazioniMancanti.h"
#include "core/shell/InformazioniProgramma.h"
#include "core/shell/Piattaforma.h"

namespace trivalto::cli {

namespace {

/// The archive the other commands would read: the one given, else the program's.
std::string PercorsoArchivio(const std::string& dato, const Ambiente& amb) {
    if (!dato.empty()) return dato;
    const auto db = TestoDaPercorso(PercorsoDaTesto(amb.CartellaProgramma) / DatabaseProgramma::NomeFile);
    if (!std::filesystem::exists(PercorsoDaTesto(db)))
        throw ErroreOpzione("database del programma non trovato: " + db);
    return DatabaseProgramma::Apri(db)->LeggiParametro(ChiaviParametri::PercorsoArchivio).value_or("");
}

} // namespace

int Versione(std::ostream& out) {
    out << "trivalto-cli " << VersioneProgramma() << "\nLicenza " << LicenzaProgramma
        << ": software libero, SENZA ALCUNA GARANZIA.\n";
    for (const auto& l : LibrerieUsate())
        out << l.Nome << " " << l.Versione << " (" << l.Licenza << ")\n";
    return 0;
}

/// `stato [--archivio FILE] [--oggi gg/mm/aaaa]`: which archive, how many draws, from when to when,
/// and how many draws it probably lacks today.
int Stato(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
          std::ostream& err) {
    Opzioni o(argomenti);
    std::string archivio, oggiTesto;
    o.Valore("--archivio", archivio, false);
    o.Valore("--oggi", oggiTesto, false);
    Data oggi = Oggi();
    if (o.Errore.empty() && !oggiTesto.empty() && !LeggiDataTesto(oggiTesto, oggi))
        o.Errore = "data non valida per --oggi: " + oggiTesto + " (gg/mm/aaaa)";
    if (!o.Errore.empty() || !o.Finite()) {
        err << "Errore: " << (o.Errore.empty() ? "opzione sconosciuta: " + o.Sconosciuta() : o.Errore)
            << "\n";
        return 2;
    }
    try {
        archivio = PercorsoArchivio(archivio, amb);
        ArchivioMemoria a;
        CaricaArchivio(archivio, amb, a);
        out << "## Stato\n"
            << "Archivio\t" << PercorsoDiSistema(archivio) << "\n"
            << "Estrazioni\t" << a.NumeroEstrazioni << "\n"
            << "Prima estrazione\t" << a.DateEstrazioni[1] << "\n"
            << "Ultima estrazione\t" << a.DateEstrazioni[static_cast<size_t>(a.NumeroEstrazioni)] << "\n"
            << "Estrazioni mancanti (stima al " << TestoData(oggi) << ")\t"
            << StimaEstrazioniMancanti(a, oggi) << "\n";
        return 0;
    } catch (const std::exception& e) {
        err << "Errore: " << e.what() << "\n";
        return 1;
    }
}

} // namespace trivalto::cli
