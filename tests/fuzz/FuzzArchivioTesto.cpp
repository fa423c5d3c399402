// SPDX-License-Identifier: GPL-3.0-or-later
// The 175-character draw lines: accepted rows are valid, dates are unique, and writing them back
// reads the same rows.
#include <set>
#include <sstream>

#include "Proprieta.h"

using namespace trivalto;
using namespace trivalto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(dati), n));
    std::vector<RigaEstrazione> righe;
    try {
        righe = LeggiArchivioTesto(in, Regole());
    } catch (const ErroreFormato& e) {
        Verifica(e.Riga >= 1, "riga dell'errore", e.what());
        return 0;
    }
    std::set<std::string> date;
    std::string scritto;
    for (const auto& r : righe) {
        RigaValida(r);
        Verifica(date.insert(r.Data).second, "data unica", r.Data);
        scritto += ScriviLineaArchivioTesto(r) + "\r\n";
    }
    std::istringstream di(scritto);
    Verifica(LeggiArchivioTesto(di, Regole()) == righe, "riletto uguale");
    return 0;
}
