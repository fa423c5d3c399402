// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The whole draw archive held in memory, and the model archive (the run of draw indices the
// analysis works on). Written only by the loaders below; read by every window and the engine.
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/archive/DatabaseArchivio.h"
#include "core/archive/Vocabolario.h"

namespace trivalto {

using Estrazione = std::array<NumeriRuota, NumeroRuote>;
using FunzioneProgresso = std::function<void(int valore, int massimo)>;

/// What the main window's model panel shows.
struct RiepilogoModello {
    std::string DataInizio, DataFine;
    int IndiceInizio = 0, IndiceFine = 0, Conteggio = 0;
};

class ArchivioMemoria {
public:
    static constexpr int MassimoEstrazioni = 9999;

    // Index 0 of the per-draw tables is never filled: draw indices run 1..NumeroEstrazioni.
    std::vector<Estrazione> Estrazioni{1};
    std::vector<std::string> DateEstrazioni{1};
    std::vector<int16_t> PosizioneMese{0};
    std::vector<int16_t> PosizioneAnno{0};
    int NumeroEstrazioni = 0;
    int UltimaEstrazione = 0;
    std::vector<int> IndiciModello{0}; // position 0 unused
    int FineModello = 0;
    int EstrazioneIniziale = 0;

    /// Start-up load: numbers, dates, ordinals, last draw, model from EstrazioneIniziale.
    /// Throws ErroreArchivio (or ErroreDatabase) and keeps the rows read so far.
    void CaricamentoIniziale(const std::vector<RigaEstrazione>& righe,
                             const FunzioneProgresso& progresso = {});
    /// Reload after a change of the archive: model reset to 1..N; progress every 50 rows.
    void CaricaArchivioExNovo(const std::vector<RigaEstrazione>& righe,
                              const FunzioneProgresso& progresso = {});
    /// The archive window's reload: numbers and dates only.
    void RicaricaNumeri(const std::vector<RigaEstrazione>& righe);

    /// Model from `primo` to the last draw. Out-of-range starts are clamped to 1..N so the model
    /// always holds at least one real draw while the archive has any.
    void CostruisciModello(int primo);
    RiepilogoModello ImpostazioniArchivioModello() const;

    const NumeriRuota& Numeri(int estrazione, int ruota) const { return Estrazioni[estrazione][ruota]; }

private:
    void RiempiEstrazioni(const std::vector<RigaEstrazione>& righe, const FunzioneProgresso& progresso,
                          int passo);
    void CalcolaPosizioni();
};

} // namespace trivalto
