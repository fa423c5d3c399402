// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive written for the two companion programs and as a text list of the Nazionale wheel.
// Every export walks draws 1..N of an in-memory archive; the two companion formats carry the ten
// classic wheels only. A file is never left half-written: each export writes a temporary file in
// the same folder and renames it into place once complete. Only a regular file is replaced: a symbolic
// link gets its target replaced and stays a link; a FIFO, a device or a folder is refused.
#include <array>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

#include "core/archive/ArchivioMemoria.h"

namespace trivalto {

class ErroreEsportazione : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr size_t LunghezzaRecordDatiIii = 110;
using RecordDatiIii = std::array<char, LunghezzaRecordDatiIii>;

/// Record of draw r: day, month, two-digit year (16-bit little-endian), the ten classic wheels as
/// 100 digits, month and year ordinals (16-bit little-endian).
RecordDatiIii RecordDellEstrazione(const ArchivioMemoria& archivio, int r);
/// The line of draw r with its double quotes and CR LF.
std::string RigaQuorvex(const ArchivioMemoria& archivio, int r);
/// "00000-" index and the five Nazionale numbers with CR LF; nothing when the wheel has no first number.
std::optional<std::string> RigaNazionale(const ArchivioMemoria& archivio, int r);

using ProgressoEsportazione = std::function<void(int fatte, int totale)>;

/// Records 1..N over the file; records an older, longer file holds past N stay in place.
void EsportaDatiIii(const ArchivioMemoria& archivio, const std::string& file,
                    const ProgressoEsportazione& progresso = {});
void EsportaQuorvex(const ArchivioMemoria& archivio, const std::string& file,
                    const ProgressoEsportazione& progresso = {});
void EsportaNazionale(const ArchivioMemoria& archivio, const std::string& file,
                      const ProgressoEsportazione& progresso = {});

/// Where the Quorvex program looks for its file: C:\QRVX3 on Windows, drive C of the user's Wine
/// prefix on Linux.
std::string PercorsoQuorvex(const std::string& cartellaUtente);
/// Makes the missing folders of `file`, as the Quorvex program's fixed place needs, and returns the
/// outermost one it made in the system's form ("C:\QRVX3"), so the caller can tell the user; empty
/// when every folder was there. Throws ErroreEsportazione when one cannot be made.
std::string CreaCartelleDi(const std::string& file);

} // namespace trivalto
