#!/usr/bin/env bash
# Takes the README's pictures of the main windows from the real program under Xvfb:
# docs/schermate/NAME.png. Each picture is a fresh start on a private copy of the program folder
# (bundled archive, empty settings), "PROCEDI", then a click on a strip button.
# To add a window, add a line to FINESTRE: name, strip button (1 = top), seconds to wait.
# Not part of the test run. Installs xvfb, xdotool and imagemagick with the other packages.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
FINESTRE=(
  "principale 0 1"
  "archivio 1 3"
  "mini-elenco 2 2"
  "analisi 3 4"
  "costruttore 4 3"
  "impostazioni 5 2"
  "verifica 6 2"
)
SCHERMO=1280x800
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" --target trivalto trivalto-cli trivalto_help >/dev/null
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

# Waits up to $2 seconds for a window whose title contains $1; prints its id.
aspetta_finestra() {
  for _ in $(seq 1 $(($2 * 4))); do
    id="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.25
  done
  return 1
}

for voce in "${FINESTRE[@]}"; do
  read -r nome pulsante attesa <<<"$voce"
  cartella="$lavoro/$nome"
  mkdir -p "$cartella"
  cp "$radice/build/bin/trivalto" "$cartella/"
  cp -r "$radice/build/bin/help" "$cartella/"
  "$radice/build/bin/trivalto-cli" prepara --cartella "$cartella" --testo "$radice/data/archivio-1939-2026.txt" \
    --archivio "$cartella/ArchivioLotto.mdb" >/dev/null
  XDG_CONFIG_HOME="$cartella/config" XDG_DATA_HOME="$cartella/dati" "$cartella/trivalto" >"$cartella/log" 2>&1 &
  programma=$!
  inizio="$(aspetta_finestra "Le Trivalto: Versione" 20)"
  xdotool windowfocus --sync "$inizio" key Return
  sleep 1
  principale="$(aspetta_finestra "^Le Trivalto$" 30)"
  xdotool windowfocus --sync "$principale" windowmove --sync "$principale" 0 0 windowsize --sync "$principale" 1280 800
  sleep 1
  if [ "$pulsante" -gt 0 ]; then
    # The strip's buttons are 49 pixels apart, the first centred 28 pixels from the top.
    xdotool mousemove --window "$principale" 25 $((28 + 49 * (pulsante - 1))) click 1
  fi
  sleep "$attesa"
  import -window root "$uscita/$nome.png"
  kill "$programma" 2>/dev/null || true
  wait "$programma" 2>/dev/null || true
  echo "$uscita/$nome.png"
done
