// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The case parameter: one number 0..90 per case, from the base wheel's numbers at the enabled
// positions by sum, distance or difference, then through one transformation.
#include <array>
#include <string_view>

#include "core/archive/Vocabolario.h"

namespace trivalto {

enum class Operazione { Somma = 0, Distanza = 1, Differenza = 2 };

using PosizioniAbilitate = std::array<bool, 5>;

/// The eleven name slots of the transformation list; lists show slots 0..8 (the ninth is empty).
inline constexpr std::array<std::string_view, 11> NomiTrasformazioni = {"0-Originale",
                                                                        "1-Vertibile",
                                                                        "2-Comp. 91",
                                                                        "3-Diametrale",
                                                                        "4-Diam Decina",
                                                                        "5-Figura",
                                                                        "6-Fisso",
                                                                        "7-Nulla",
                                                                        "",
                                                                        "",
                                                                        ""};
inline constexpr int VociTrasformazione = 9;

int Trasforma(int x, int trasformazione, int fisso);
int CalcolaParametro(const NumeriRuota& numeri, const PosizioniAbilitate& posizioni, Operazione operazione,
                     int trasformazione, int fisso);

/// What a click on a position toggle does to the operation options, given how many toggles are on.
enum class EffettoPosizioni { NessunCambio, AbilitaDistanze, SoloSomma };
EffettoPosizioni RegolaPosizioni(int posizioniAccese);

} // namespace trivalto
