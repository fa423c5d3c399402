// SPDX-License-Identifier: GPL-3.0-or-later
// "INCOLLA ESTRAZIONE": at most 55 numbers, every box as the typing filter leaves it, and boxes that
// pass the check make a draw an import would accept.
#include "Proprieta.h"
#include "core/maintenance/CaselleEstrazione.h"

using namespace trivalto;
using namespace trivalto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const std::string appunti(reinterpret_cast<const char*>(dati), n);
    const auto numeri = NumeriIncollati(appunti);
    for (int v : numeri)
        Verifica(v >= 0, "numero non negativo");
    const auto caselle = CaselleIncollate(appunti);
    for (const auto& c : caselle)
        Verifica(FiltraCasella(c) == c, "casella filtrata", c);
    if (!ControllaCaselle(caselle)) {
        auto r = RigaDaCaselle("07/01/2000", caselle);
        for (const auto& cella : r.Celle)
            Verifica(DifettoCellaTesto(cella).empty(), "ruota incollata valida", cella);
    }
    return 0;
}
