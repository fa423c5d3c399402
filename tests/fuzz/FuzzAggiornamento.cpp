// SPDX-License-Identifier: GPL-3.0-or-later
// The update check on any content (draw lines, per-wheel layout, ZIP): rows it would write are
// valid draws, and the marks agree with the rows' faults. The archive is a small one made once.
#include <unistd.h>

#include <filesystem>

#include "Proprieta.h"
#include "core/maintenance/Aggiornamento.h"

using namespace trivalto;
using namespace trivalto::fuzz;

namespace {
DatabaseArchivio& Archivio() {
    static const std::string file =
        (std::filesystem::temp_directory_path() / ("trivalto-fuzz-" + std::to_string(getpid()) + ".mdb"))
            .string();
    static auto db = [] {
        std::filesystem::remove(file);
        auto a = DatabaseArchivio::ApriOCrea(file);
        RigaEstrazione r{"07/01/2000", {}};
        r.Celle.fill("01-02-03-04-05");
        a->Inserisci(r, "2026-01-01", "00:00:00");
        std::atexit([] { std::filesystem::remove(file); });
        return a;
    }();
    return *db;
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    std::vector<RigaAggiornamento> righe;
    try {
        righe = RigheDaSorgente(std::string(reinterpret_cast<const char*>(dati), n));
    } catch (const ErroreAggiornamento&) {
        return 0;
    }
    const auto esito = ControllaRighe(Archivio(), righe);
    Verifica(esito.Righe.size() == righe.size(), "un esito per riga");
    for (size_t i = 0; i < righe.size(); ++i) {
        const bool difettosa = !DifettoRiga(righe[i]).empty();
        Verifica(difettosa == (esito.Righe[i].Segno == Marca::NonValida), "marca di una riga non valida");
        if (difettosa) continue;
        Data d;
        Verifica(LeggiDataTesto(righe[i].Data, d), "data leggibile", righe[i].Data);
        for (const auto& cella : righe[i].Celle)
            Verifica(DifettoCellaTesto(cella).empty(), "ruota scrivibile", cella);
    }
    return 0;
}
