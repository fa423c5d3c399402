// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Controls several windows build the same way: lists of numbers, framed value labels, bold command
// buttons, link-like buttons, and the analysis parameters' position toggles and one-row wheels grid.
#include <QString>
#include <array>
#include <initializer_list>

#include "core/analysis/Parametro.h"

class QComboBox;
class QLabel;
class QLayout;
class QPushButton;
class QRadioButton;
class QWidget;

namespace trivalto {

class Griglia;

/// A list of the numbers da, da + passo, … a as text; `scelta` is the entry selected (-1: none).
QComboBox* ElencoNumeri(QWidget* padre, const char* nome, int da, int a, int passo = 1, int scelta = -1);
/// A list of the eleven wheel codes, "BA" selected.
QComboBox* ElencoRuote(QWidget* padre, const char* nome);
/// A list of the transformation names as the analysis lists show them.
QComboBox* ElencoTrasformazioni(QWidget* padre, const char* nome);
/// A sunken label that shows a value.
QLabel* EtichettaValore(QWidget* padre, const char* nome, int larghezzaMinima = 64,
                        Qt::Alignment allineamento = Qt::AlignCenter);
/// A label aligned to the right, before the control it names.
QLabel* EtichettaDestra(QWidget* padre, const QString& testo);
/// A value label for counts, right-aligned.
QLabel* ValoreDestra(QWidget* padre, const char* nome);
/// A button with a bold caption.
QPushButton* PulsanteComando(QWidget* padre, const char* nome, const QString& testo);
/// A flat button drawn as a link ("Seleziona tutti", "Deseleziona").
QPushButton* PulsanteCollegamento(QWidget* padre, const char* nome, const QString& testo);

/// Toggle "Posizione p" (1..5) of "Posizioni abilitate".
QPushButton* PulsantePosizione(QWidget* padre, int p);
void DipingiPosizioni(const std::array<QPushButton*, 5>& pulsanti, const PosizioniAbilitate& accese);
/// What the count of positions on does to the three operations.
void ApplicaEffettoPosizioni(EffettoPosizioni effetto, QRadioButton* somma, QRadioButton* distanza,
                             QRadioButton* differenza);

/// A table of an analysis window: named, with its header; Tab leaves it for the next control.
Griglia* GrigliaTabella(QWidget* padre, const char* nome, const char* intestazione);
/// Column widths in twips (columns past the list take `altre`), never narrower than their heading
/// ("Data Estraz     " keeps its blanks), every column centred.
void ColonneCentrate(Griglia* g, std::initializer_list<int> twips, int altre = 0);
/// The height that shows the header and `righe` rows, with room for a horizontal scroll bar.
int AltezzaPerRighe(const Griglia* g, int righe);
/// The width that shows every column, with room for a vertical scroll bar.
int LarghezzaTabella(const Griglia* g);
/// A table with its caption and the buttons that act on it, and an optional widget under it.
QWidget* Riquadro(QWidget* padre, const QString& titolo, Griglia* griglia,
                  std::initializer_list<QWidget*> pulsanti, QWidget* sotto = nullptr);

/// Lays `layout` out in a frameless scroll area that fills `finestra`: beside the draws list, or restored
/// to a smaller size, the window scrolls instead of cutting off its right side.
void DisponiScorrevole(QWidget* finestra, QLayout* layout, const char* nome);

/// "Ruote gioco": one row of the eleven wheel codes, green when played.
Griglia* GrigliaRuote(QWidget* padre);
void DipingiRuote(Griglia& griglia, const std::array<bool, 11>& giocate);

} // namespace trivalto
