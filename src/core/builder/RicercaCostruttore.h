// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The method builder's candidate lists. The list by colpo ranks every terzina by the cases it covers
// ("Cop"), with all its successes ("Tot": equal to Cop unless the whole period is checked) and the size
// of each case's first success (" 2 ", " 3 "); the list by case marks, for each candidate, the cases it
// covers and how; the count by colpo says how often each candidate won at each colpo.
#include <array>
#include <cstdint>
#include <vector>

#include "core/analysis/RicercaTerzine.h"

namespace trivalto {

inline constexpr int MassimoElencoCostruttore = 1000;
inline constexpr int PassoControlloCostruttore = 3000;

/// A row of the list by colpo; an empty row has A == 0.
struct Candidata {
    int Cop = 0, Tot = 0;
    int A = 0, B = 0, C = 0;
    int Ambi = 0, Terni = 0;
    bool Vuota() const { return A == 0; }
    bool operator==(const Candidata&) const = default;
};

struct RisultatoCostruttore {
    std::vector<Candidata> Righe; // always Elenco rows, empty rows last
    bool Interrotta = false;
};

/// The list by colpo. `input.PassoControllo` is ignored: the builder checks its stop flag every
/// 3,000 terzine. CercaCandidate is the one the program runs; CercaCandidateRiferimento follows the
/// literal loops (tests and benchmarks only). Both give identical lists, interrupted ones included.
RisultatoCostruttore CercaCandidate(const InputRicerca& input, const ControlloLavoro& controllo = {});
RisultatoCostruttore CercaCandidateRiferimento(const InputRicerca& input,
                                               const ControlloLavoro& controllo = {});

/// One candidate counted as the search counts it (Cop, Tot, " 2 ", " 3 "), whether or not it made the list.
Candidata ValutaCandidata(const InputRicerca& input, int a, int b, int c);

/// A row of the list by case: the candidate, the size (2 or 3) of its first success in each case (0: none;
/// covered cases are judged too), and the second "Cop" (-1: empty).
struct RigaPerCaso {
    Candidata Z;
    std::array<int8_t, MassimoCasi> Coperture{};
    int SecondoCop = -1;
    bool operator==(const RigaPerCaso&) const = default;
};

/// "copia in 2° elenco": the list by case in the order of the list by colpo, the second "Cop" equal to
/// the first. The ...Riferimento forms follow the literal loops (tests and benchmarks only).
std::vector<RigaPerCaso> CopiaInSecondoElenco(const InputRicerca& input, const std::vector<Candidata>& righe);
std::vector<RigaPerCaso> CopiaInSecondoElencoRiferimento(const InputRicerca& input,
                                                         const std::vector<Candidata>& righe);

/// "CONTROLLA TUTTE": for each candidate, the successes at each colpo 1..20 over all cases and wheels,
/// and whether one of them was a terno.
struct ConteggioColpi {
    std::array<int, 20> Successi{};
    std::array<bool, 20> Terno{};
    bool operator==(const ConteggioColpi&) const = default;
};
std::vector<ConteggioColpi> ContaPerColpo(const InputRicerca& input, const std::vector<Candidata>& righe);
std::vector<ConteggioColpi> ContaPerColpoRiferimento(const InputRicerca& input,
                                                     const std::vector<Candidata>& righe);

/// The re-ranking after a change of the method: each row's second "Cop" becomes the number of its marked
/// cases among the first `numeroCasi` that the method does not cover, and the list is sorted by it, largest
/// first, rows of equal count keeping their order.
void Riordina(std::vector<RigaPerCaso>& righe, const std::vector<bool>& copertiDalMetodo, int numeroCasi);
void RiordinaRiferimento(std::vector<RigaPerCaso>& righe, const std::vector<bool>& copertiDalMetodo,
                         int numeroCasi);

} // namespace trivalto
