#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats every tracked C++ file (.cpp, .h) with the repository's .clang-format.
# With --controlla it changes nothing, lists the files clang-format would change and fails if there
# is one. Only Debian's clang-format 14 is used: another version formats some constructs otherwise.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cd "$radice"
controlla=0
[ "${1:-}" = "--controlla" ] && controlla=1

formatta=""
for candidato in clang-format-14 clang-format; do
  if command -v "$candidato" >/dev/null && "$candidato" --version | grep -q 'version 14\.'; then
    formatta="$candidato"
    break
  fi
done
if [ -z "$formatta" ]; then
  echo "clang-format 14 non trovato (scripts/dipendenze.sh lo installa)" >&2
  exit 1
fi

mapfile -d '' tracciati < <(git ls-files -z -- '*.cpp' '*.h')
file=()
# A file deleted but not yet staged is no longer a source.
for f in "${tracciati[@]}"; do [ -f "$f" ] && file+=("$f"); done
if [ "$controlla" = 0 ]; then
  printf '%s\0' "${file[@]}" | xargs -0 -r "$formatta" -i --style=file
  exit 0
fi
# One run over every file: clang-format names each one it would change in its warnings.
mapfile -t sbagliati < <(printf '%s\0' "${file[@]}" |
  xargs -0 -r "$formatta" --style=file --dry-run 2>&1 >/dev/null |
  sed -n 's/^\(.*\):[0-9][0-9]*:[0-9][0-9]*: warning: code should be clang-formatted.*/\1/p' | sort -u)
if [ ${#sbagliati[@]} -gt 0 ]; then
  echo "File da formattare (bash scripts/formato.sh):"
  printf '  %s\n' "${sbagliati[@]}"
  exit 1
fi
