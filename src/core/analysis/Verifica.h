// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Inspecting one case: which listed terzine came out for it up to the end of the archive, and what
// the terzine of one combination did in its play window.
#include <vector>

#include "core/analysis/Combinazioni.h"
#include "core/analysis/Gioco.h"

namespace trivalto {

/// For each row of the list: true when the terzina succeeds for the case within its play window
/// up to the last draw of the archive (not only the reference draw). Empty rows stay false.
std::vector<bool> VerificaTerzine(const ArchivioMemoria& archivio, const Caso& caso,
                                  const std::vector<Terzina>& lista, const RuoteGioco& ruote,
                                  const FinestraGioco& finestra);

/// The terzine of a combination row, in group order, skipping groups without a terzina.
std::vector<Terzina> TerzineDellaCombinazione(const Combinazione& combinazione,
                                              const std::vector<Terzina>& lista);

/// One row of the combination detail: the numbers played for the case, which of them came out
/// before or at the first success, and that success (Esito 0 when none).
struct DettaglioTerzina {
    NumeriGiocati Numeri{};
    std::array<bool, 3> Usciti{};
    int Esito = 0, Ruota = -1, Colpo = 0;
    bool operator==(const DettaglioTerzina&) const = default;
};

/// The whole play window is walked, past the reference draw; draws after the last hold no numbers.
std::vector<DettaglioTerzina> MostraCombinazione(const ArchivioMemoria& archivio, const Caso& caso,
                                                 const std::vector<Terzina>& terzine, const RuoteGioco& ruote,
                                                 const FinestraGioco& finestra);

} // namespace trivalto
