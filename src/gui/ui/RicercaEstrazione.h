// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The index and date search dialogs that the analysis window, the builder, the archive window and
// the mini list share.
#include <optional>

class QWidget;

namespace trivalto {

class ArchivioMemoria;
class Dialoghi;

/// "Inserire il n° indice dell'archivio modello.": a whole number from `minimo` to the last draw,
/// or nothing (out of range, not a number, cancelled) without any message.
std::optional<int> CercaPerIndice(Dialoghi& dialoghi, QWidget* padre, const ArchivioMemoria& archivio,
                                  int minimo);

/// "Data ?": the first model draw whose date text equals the answer exactly; "Data non trovata"
/// when none does.
std::optional<int> CercaPerData(Dialoghi& dialoghi, QWidget* padre, const ArchivioMemoria& archivio);

} // namespace trivalto
