// SPDX-License-Identifier: GPL-3.0-or-later
// The per-wheel layout: accepted rows are valid and sorted by date, and the same rows written in
// that layout read back equal.
#include <cstdio>
#include <sstream>

#include "Proprieta.h"

using namespace trivalto;
using namespace trivalto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(dati), n));
    std::vector<RigaEstrazione> righe;
    try {
        righe = LeggiStorico(in, Regole());
    } catch (const ErroreFormato& e) {
        Verifica(e.Riga >= 1, "riga dell'errore", e.what());
        return 0;
    }
    std::string scritto, precedente;
    for (const auto& r : righe) {
        RigaValida(r);
        Data d;
        LeggiDataTesto(r.Data, d);
        const auto iso = IsoData(d);
        Verifica(iso > precedente, "ordine delle date", r.Data);
        precedente = iso;
        for (int w = 0; w < NumeroRuote; ++w) {
            if (r.Celle[w] == "----") continue;
            const auto numeri = LeggiCellaRuota(r.Celle[w]);
            char riga[64];
            std::snprintf(riga, sizeof riga, "%04d/%02d/%02d\t%s\t%d\t%d\t%d\t%d\t%d\n", d.anno, d.mese,
                          d.giorno,
                          w == 7    ? "RM"
                          : w == 10 ? "RN"
                                    : std::string(CodiciRuote[w]).c_str(),
                          numeri[0], numeri[1], numeri[2], numeri[3], numeri[4]);
            scritto += riga;
        }
    }
    std::istringstream di(scritto);
    auto riletto = LeggiStorico(di, Regole());
    // A draw whose wheels are all empty has no line in this layout.
    std::erase_if(righe, [](const RigaEstrazione& r) {
        for (const auto& c : r.Celle)
            if (c != "----") return false;
        return true;
    });
    Verifica(riletto == righe, "riletto uguale");
    return 0;
}
