#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of tests/fuzz with Debian's clang into build-fuzz/ (the core with the
# address and undefined-behaviour checks) and runs each for SECONDI seconds (default 600: the long
# run; CI runs a short one). The seed corpora in tests/fuzz/corpus are copied, never written: new
# inputs and any crashing input stay in build-fuzz/.
set -euo pipefail
secondi="${1:-600}"
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
cartella="$radice/build-fuzz"
bersagli=(ArchivioTesto Storico Celle Incolla Aggiornamento)
CXX=clang++ cmake -S "$radice" -B "$cartella" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTRIVALTO_GUI=OFF \
  -DTRIVALTO_TESTS=OFF -DTRIVALTO_BENCH=OFF -DTRIVALTO_FUZZ=ON \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -O1" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$cartella" --parallel "$(nproc)" $(printf -- '--target fuzz_%s ' "${bersagli[@]}")
esito=0
for b in "${bersagli[@]}"; do
  corpus="$cartella/corpus/$b"
  mkdir -p "$corpus" "$cartella/guasti/$b"
  cp -n "$radice/tests/fuzz/corpus/$b/"* "$corpus/" 2>/dev/null || true
  echo "== fuzz_$b: $secondi s"
  if ! ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "$cartella/bin/fuzz_$b" -max_total_time="$secondi" -max_len=65536 -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$cartella/guasti/$b/" -print_final_stats=1 "$corpus" 2>"$cartella/fuzz_$b.log"; then
    tail -40 "$cartella/fuzz_$b.log"
    esito=1
  fi
  grep -E '^stat::number_of_executed_units' "$cartella/fuzz_$b.log" || true
done
exit $esito
