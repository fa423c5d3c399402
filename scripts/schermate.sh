#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Takes the README's pictures of the windows, with results in them, from the real program's windows
# under Xvfb: docs/schermate/NAME.png. `trivalto-schermate` starts the main window afresh for each
# picture on a private copy of the program folder (bundled archive, empty settings), opens a window by
# its strip button and presses its buttons by name (see its list of scenes). The update page is
# taken on an archive that lacks its last draws, after a check of a file that holds them.
# Usage: scripts/schermate.sh [SCENE...]   (all when none; "dialogo-file" adds the file dialog).
# Not part of the test run. Installs xvfb and imagemagick with the other packages.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
SCHERMO=1280x800
MANCANTI=6 # draws left out of the archive the update page checks
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" --target trivalto-cli trivalto_help trivalto-schermate >/dev/null
uscita="$radice/docs/schermate"
mkdir -p "$uscita"
lavoro="$(mktemp -d)"
xvfb=""
trap '[ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$lavoro"' EXIT

for n in $(seq 90 130); do [ -e "/tmp/.X$n-lock" ] || { schermo=":$n"; break; }; done
Xvfb "$schermo" -screen 0 "${SCHERMO}x24" >/dev/null 2>&1 &
xvfb=$!
sleep 1
export DISPLAY="$schermo"

testo="$radice/data/archivio-1939-2026.txt"
# A program folder with the archive built from `$2`.
prepara() {
  mkdir -p "$1"
  cp -r "$radice/build/bin/help" "$1/"
  "$radice/build/bin/trivalto-cli" prepara --cartella "$1" --testo "$2" --archivio "$1/ArchivioLotto.mdb" >/dev/null
}
prepara "$lavoro/intero" "$testo"
head -n "-$MANCANTI" "$testo" >"$lavoro/ridotto.txt"
prepara "$lavoro/ridotto" "$lavoro/ridotto.txt"
# The last 100 draws as a text archive chosen by hand: its first line carries the mark " pr".
tail -n 100 "$testo" | sed '1s/\r$/ pr\r/' >"$lavoro/ultime100.txt"

schermate="$radice/build/strumenti/trivalto-schermate"
scelte=("$@")
esegui() { # folder, scenes...
  XDG_CONFIG_HOME="$1/config" XDG_DATA_HOME="$1/dati" "$schermate" "$1" "$uscita" "$lavoro/ultime100.txt" "${@:2}"
}
if [ ${#scelte[@]} -eq 0 ]; then
  esegui "$lavoro/intero" principale archivio mini-elenco analisi costruttore verifica impostazioni
  esegui "$lavoro/ridotto" aggiornamenti
else
  for s in "${scelte[@]}"; do
    if [ "$s" = aggiornamenti ]; then esegui "$lavoro/ridotto" "$s"; else esegui "$lavoro/intero" "$s"; fi
  done
fi
