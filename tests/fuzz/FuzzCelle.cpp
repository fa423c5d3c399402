// SPDX-License-Identifier: GPL-3.0-or-later
// The wheel cell: a stored cell that passes the check reads as numbers that write back to the same
// text; the typing filter of a box keeps only what it would keep again.
#include "Proprieta.h"
#include "core/maintenance/CaselleEstrazione.h"

using namespace trivalto;
using namespace trivalto::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* dati, size_t n) {
    const std::string testo(reinterpret_cast<const char*>(dati), n);
    const auto numeri = LeggiCellaRuota(testo);
    if (DifettoCellaTesto(testo).empty())
        Verifica(CellaDaNumeri(numeri) == testo, "cella riscritta uguale", testo);
    if (testo.size() > 2) return 0; // a box holds two characters at most
    const auto filtrato = FiltraCasella(testo);
    Verifica(filtrato.size() <= 2, "casella di due cifre al più", filtrato);
    Verifica(FiltraCasella(filtrato) == filtrato, "filtro stabile", filtrato);
    const auto formato = FormatoCasella(filtrato);
    Verifica(formato.empty() || formato.size() == 2, "formato di due cifre", formato);
    return 0;
}
