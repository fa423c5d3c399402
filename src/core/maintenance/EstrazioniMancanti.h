// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How old the archive is: the draws that should have taken place after its last one, estimated from
// the weekdays on which the Lotto drew during the archive's last year. Pure calendar arithmetic; the
// caller gives "today", so the estimate can be tried on any calendar.
#include <array>
#include <vector>

#include "core/archive/ArchivioMemoria.h"

namespace trivalto {

/// Days since 01/01/1970 of a date of the Gregorian calendar (negative before).
long GiornoAssoluto(const Data& data);

/// The weekdays (index 0 = Sunday … 6 = Saturday) that are draw days: those that carry a draw in
/// at least half of the weeks of the 52 ending with the last draw (fewer when the archive is
/// shorter). A holiday without a draw or a draw moved to another day does not change them.
std::array<bool, 7> GiorniDiEstrazione(const std::vector<Data>& date);

/// The draw days after the archive's last draw up to and including `oggi`; 0 for an empty
/// archive or one that reaches `oggi`. `date` in any order.
int StimaEstrazioniMancanti(const std::vector<Data>& date, const Data& oggi);
/// The same for the draws of an in-memory archive.
int StimaEstrazioniMancanti(const ArchivioMemoria& archivio, const Data& oggi);

} // namespace trivalto
