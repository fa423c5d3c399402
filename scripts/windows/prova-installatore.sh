#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Run by scripts/windows-gui.sh inside xvfb-run, in a fresh Wine folder: unpacks the portable zip into
# a folder with an accented name and starts it (no question, everything written beside it); then
# installs Trivalto silently, checks what the installer left, starts the installed program past its
# first window, photographs the main window and the analysis after "GENERA TERZINE", uninstalls and
# checks that the user's own data stayed.
#   prova-installatore.sh SETUP.exe WINEPREFIX CARTELLA_SCHERMATE PORTABLE.zip
set -euo pipefail
setup="$1"
export WINEPREFIX="$2" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
schermate="$3"
zip_portatile="$4"
mkdir -p "$schermate"

errore() { echo "Errore: $*" >&2; exit 1; }
passo() { echo "[$(date +%H:%M:%S)] $*"; }
# Waits up to $1 seconds for a window whose title matches $2; prints its id.
aspetta_finestra() {
  local i id
  for ((i = 0; i < $1 * 2; i++)); do
    id="$(xdotool search --onlyvisible --name "$2" 2>/dev/null | tail -n 1 || true)"
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.5
  done
  return 1
}

wineserver -k 2>/dev/null || true
rm -rf "$WINEPREFIX"
passo "Wine nuovo in $WINEPREFIX"
wine wineboot --init </dev/null
wineserver -w
trap 'wineserver -k 2>/dev/null || true' EXIT

c="$WINEPREFIX/drive_c"
utente="$(ls "$c/users" | grep -v -x Public | head -n 1)"
roaming="$c/users/$utente/AppData/Roaming/Trivalto"

passo "Copia portatile in una cartella con accenti"
cartella_portatile="$c/Giocate è qui"
mkdir -p "$cartella_portatile"
(cd "$cartella_portatile" && unzip -q "$zip_portatile")
nome_portatile="$(basename "$zip_portatile" .zip)"
win_portatile="C:\\Giocate è qui\\$nome_portatile"
wine "$win_portatile\\trivalto.exe" </dev/null >/dev/null 2>&1 & disown
inizio="$(aspetta_finestra 120 '^Le Trivalto: Versione')" || errore "la copia portatile non si avvia"
sleep 2
xdotool windowactivate --sync "$inizio" 2>/dev/null || true
xdotool key --window "$inizio" Return
aspetta_finestra 120 '^Le Trivalto$' >/dev/null ||
  errore "la copia portatile non arriva alla finestra principale (ha chiesto l'archivio?)"
wineserver -k 2>/dev/null || true
sleep 1
[ -f "$cartella_portatile/$nome_portatile/DbTrivalto.mdb" ] ||
  errore "la copia portatile non ha scritto il database del programma accanto a sé"
[ ! -e "$roaming" ] || errore "la copia portatile ha scritto nella cartella dei dati dell'utente"
stato="$(wine "$win_portatile\\trivalto-cli.exe" stato </dev/null | tr -d '\r')"
grep -qxF "Archivio	$win_portatile\\ArchivioLotto.mdb" <<<"$stato" ||
  errore "la copia portatile non usa l'archivio accanto a sé: $stato"

passo "Installazione silenziosa"
wine "$setup" /S </dev/null
wineserver -w
dest="$c/Program Files/Trivalto"
for f in bin/trivalto.exe bin/trivalto-cli.exe bin/qt.conf bin/translations/qtbase_it.qm \
         share/trivalto/ArchivioLotto.mdb share/trivalto/help LICENSE.txt Disinstalla.exe; do
  [ -e "$dest/$f" ] || errore "l'installazione non ha scritto $f"
done
[ -f "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Trivalto/Trivalto.lnk" ] ||
  errore "manca il collegamento nel menu Start"
[ -f "$c/users/Public/Desktop/Trivalto.lnk" ] || errore "manca il collegamento sul desktop"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trivalto' /v UninstallString \
  </dev/null | grep -q Disinstalla.exe || errore "il programma non è tra quelli installati"

passo "Avvio del programma installato"
wine "C:\\Program Files\\Trivalto\\bin\\trivalto.exe" </dev/null >/dev/null 2>&1 & disown
inizio="$(aspetta_finestra 120 '^Le Trivalto: Versione')" || errore "la prima finestra non compare"
sleep 2
# PROCEDI has the focus.
xdotool windowactivate --sync "$inizio" 2>/dev/null || true
xdotool key --window "$inizio" Return
principale="$(aspetta_finestra 120 '^Le Trivalto$')" || errore "la finestra principale non compare"
sleep 5
[ -f "$roaming/Trivalto/DbTrivalto.mdb" ] ||
  errore "il database del programma non è nella cartella dei dati dell'utente"
import -window root "$schermate/windows-principale.png"
passo "Schermata: $schermate/windows-principale.png"

# The analysis: the strip's third button ("Le Trivalto"), then GENERA TERZINE and DUE TERZINE, where
# the Windows style puts them in the main window at its size of 1260 x 780. A missed click costs only
# this picture.
xdotool mousemove --window "$principale" 24 123 click 1
sleep 6
xdotool mousemove --window "$principale" 142 250 click 1
sleep 8
xdotool mousemove --window "$principale" 536 250 click 1
sleep 8
import -window root "$schermate/windows-analisi.png"
passo "Schermata: $schermate/windows-analisi.png"

wineserver -k 2>/dev/null || true
sleep 1
passo "Disinstallazione silenziosa"
wine "C:\\Program Files\\Trivalto\\Disinstalla.exe" /S </dev/null
wineserver -w
[ ! -e "$dest/bin/trivalto.exe" ] || errore "la disinstallazione ha lasciato il programma"
[ ! -e "$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Trivalto" ] || errore "resta il menu Start"
[ -f "$c/users/$utente/AppData/Roaming/Trivalto/Trivalto/DbTrivalto.mdb" ] ||
  errore "la disinstallazione ha tolto i dati dell'utente"
if wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Trivalto' </dev/null >/dev/null 2>&1; then
  errore "il programma è ancora tra quelli installati"
fi
passo "Installazione, avvio e disinstallazione verificati"
