// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the delays window shows: the delays of every number at one draw, the numbers of the case the
// forecast came from (marked) and the wheels its search was made on, and whether only the marked
// numbers are listed. The window paints from it; nothing here knows a colour.
#include <bitset>
#include <vector>

#include "core/analysis/Previsioni.h"
#include "core/analysis/RicercaTerzine.h"
#include "core/analysis/TabelleAnalisi.h"

namespace trivalto {

class StatoRitardi {
public:
    StatoRitardi() = default;
    /// Throws std::out_of_range when a marked number is not 1..90: it would name no row of the table.
    StatoRitardi(const TabellaRitardi& ritardi, const std::vector<int>& marcati, const RuoteGioco& ruote);

    const TabellaRitardi& Ritardi() const { return ritardi_; }
    /// The table's texts, as the command-line tool prints them.
    TabellaTesto Tabella() const { return TabellaDeiRitardi(ritardi_); }
    /// False outside 1..90.
    bool Marcato(int numero) const {
        return numero >= 1 && numero <= 90 && marcati_[static_cast<size_t>(numero)];
    }
    /// False outside 0..10.
    bool RuotaEvidenziata(int ruota) const {
        return ruota >= 0 && ruota < NumeroRuote && ruote_[static_cast<size_t>(ruota)];
    }

    /// "Visualizza filtrate": only the marked numbers listed, none when nothing is marked.
    void Filtra() { filtrata_ = true; }
    /// "Visualizza tutti".
    void MostraTutti() { filtrata_ = false; }
    bool Filtrata() const { return filtrata_; }
    /// Whether number `numero`'s row is listed.
    bool Visibile(int numero) const { return !filtrata_ || Marcato(numero); }

private:
    TabellaRitardi ritardi_{};
    std::bitset<91> marcati_;
    RuoteGioco ruote_{};
    bool filtrata_ = false;
};

} // namespace trivalto
