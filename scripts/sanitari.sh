#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs the
# whole test suite there (CI runs it after scripts/test.sh). Any report fails the run: undefined
# behaviour aborts, and leaks are checked in the program's own code (tests/lsan.supp names the
# system libraries that keep memory until exit on purpose).
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
cmake -S "$radice" -B "$radice/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVALTO_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer -O1" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$radice/build-asan" --parallel "$(nproc)"
cd "$radice/build-asan"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=0"
export LSAN_OPTIONS="suppressions=$radice/tests/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# The kill trials test atomicity, not memory: a few per kind here (50 in scripts/test.sh).
export TRIVALTO_INTERRUZIONI=5
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)" "$@"
