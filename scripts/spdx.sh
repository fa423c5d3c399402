#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence's SPDX line at the top of every source file that lacks it: C++ files under src/,
# tests/ and bench/ ("// ..." as first line), CMake files and shell scripts ("# ..." as first line,
# or right after the "#!" line). Running it again changes nothing.
# With --controlla it changes nothing, lists the files without the line and fails if there is one.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
riga='SPDX-License-Identifier: GPL-3.0-or-later'
controlla=0
[ "${1:-}" = "--controlla" ] && controlla=1
cd "$radice"

elenca() {
  find src tests bench -type f \( -name '*.cpp' -o -name '*.h' \) -print
  # Build folders and git's own are not sources.
  find . \( -name .git -o -name 'build*' \) -prune -o -type f \
    \( -name CMakeLists.txt -o -name '*.cmake' -o -name '*.sh' \) -print | sed 's#^\./##'
}

# The line counts when it is the first one, or the second after "#!".
ha_riga() {
  local primo="" secondo=""
  { IFS= read -r primo || true; IFS= read -r secondo || true; } <"$1"
  [[ "$primo" == *"$riga" ]] || { [[ "$primo" == '#!'* ]] && [[ "$secondo" == *"$riga" ]]; }
}

mancanti=0
while IFS= read -r file; do
  ha_riga "$file" && continue
  if [ "$controlla" = 1 ]; then
    echo "senza riga SPDX: $file"
    mancanti=$((mancanti + 1))
    continue
  fi
  case "$file" in
    *.cpp | *.h) testa="// $riga" ;;
    *) testa="# $riga" ;;
  esac
  if [ ! -s "$file" ]; then
    printf '%s\n' "$testa" >"$file"
  elif IFS= read -r primo <"$file" && [[ "$primo" == '#!'* ]]; then
    sed -i "1a $testa" "$file"
  else
    sed -i "1i $testa" "$file"
  fi
done < <(elenca | sort)

if [ "$controlla" = 1 ] && [ "$mancanti" -gt 0 ]; then
  echo "$mancanti file senza la riga \"$riga\": bash scripts/spdx.sh la aggiunge" >&2
  exit 1
fi
exit 0
