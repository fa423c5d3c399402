#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the window tests with ThreadSanitizer into build-tsan/ and runs them (searches, their stop,
# closing a window during a search, a reload of the archive during a search). Not part of test.sh:
# the instrumented build takes minutes.
#
# Debian's Qt is not built for the race detector: its futex-based locks are invisible to it, so
# memory that Qt allocates, copies and frees inside its own libraries shows up as racing. A report
# counts only when the innermost frame of a racing access (past the detector's interceptors) is in
# this project's sources, and its earlier access is not the allocation of memory that was then
# handed to a pooled thread (a search's inputs pass through Qt's queue, whose lock it cannot see).
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
cmake -S "$radice" -B "$radice/build-tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVALTO_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=thread -O1" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=thread" >/dev/null
cmake --build "$radice/build-tsan" --parallel "$(nproc)" --target test_ui
registro="$radice/build-tsan/tsan.log"
QT_QPA_PLATFORM=offscreen TSAN_OPTIONS="halt_on_error=0 exitcode=0" \
  "$radice/build-tsan/bin/test_ui" "$@" >"$registro" 2>&1 || { tail -40 "$registro"; exit 1; }
grep -E '^Totals' "$registro" || true
awk -v radice="$radice/" '
  /WARNING: ThreadSanitizer/ { testo = ""; nostro = 0; allocata = 0; inrep = 1 }
  inrep { testo = testo $0 "\n" }
  inrep && /^  Previous write/ { precedente = 1 }
  inrep && precedente && /^    #0 / { precedente = 0; if ($0 ~ /operator new|malloc|calloc|realloc/) allocata = 1 }
  inrep && /^  (Read|Write|Atomic|Previous)/ { cerca = 1; next }
  inrep && cerca && /^    #[0-9]+ / {
    if ($0 ~ /libtsan|sanitizer_common|tsan_/) next
    cerca = 0
    if (index($0, radice "src/") || index($0, radice "tests/")) nostro = 1
  }
  inrep && /^SUMMARY:/ { inrep = 0; if (nostro && allocata) ++consegne; else if (nostro) { printf "%s\n", testo; ++trovati } }
  END {
    printf "Memoria appena allocata e passata a un thread del pool (non contata): %d\n", consegne + 0
    printf "Corse sui dati del programma: %d\n", trovati + 0; exit (trovati > 0)
  }
' "$registro"
