// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/Comandi.h"
#include "cli/Opzioni.h"
#include "core/maintenance/Esportazioni.h"
#include "core/shell/Piattaforma.h"

namespace trivalto::cli {

/// `esporta dati-iii|quorvex|nazionale FILE [--archivio FILE]`: the bytes the archive window writes.
int Esporta(const std::vector<std::string>& argomenti, const Ambiente& amb, std::ostream& out,
            std::ostream& err) {
    Opzioni o(argomenti);
    std::string formato, file, archivio;
    o.Valore("--archivio", archivio, false);
    if (!o.Errore.empty()) {
        err << "Errore: " << o.Errore << "\n";
        return 2;
    }
    if (!o.Posizionale(formato) || !o.Posizionale(file) || !o.Finite() ||
        (formato != "dati-iii" && formato != "quorvex" && formato != "nazionale")) {
        err << "Uso: trivalto-cli esporta dati-iii|quorvex|nazionale FILE [--archivio FILE]\n";
        return 2;
    }
    ArchivioMemoria a;
    try {
        CaricaArchivio(archivio, amb, a);
    } catch (const ErroreDatabaseProgramma& e) {
        err << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "Impossibile leggere l'archivio: " << e.what() << "\n";
        return 1;
    }
    try {
        if (formato == "dati-iii") EsportaDatiIii(a, file);
        if (formato == "quorvex") EsportaQuorvex(a, file);
        if (formato == "nazionale") EsportaNazionale(a, file);
    } catch (const std::exception& e) {
        err << "Esportazione non riuscita: " << e.what() << "\n";
        return 1;
    }
    out << "Esportate " << a.NumeroEstrazioni << " estrazioni in " << PercorsoDiSistema(file) << "\n";
    return 0;
}

} // namespace trivalto::cli
