# SPDX-License-Identifier: GPL-3.0-or-later
# What the two Windows build scripts share; sourced, never run.
# shellcheck source=../pacchetti.sh
source "$(dirname "${BASH_SOURCE[0]}")/../pacchetti.sh"
passo() { echo "[$(date +%H:%M:%S)] $*"; }
# Runs a command with its output in a log file; on failure shows the end of the log.
registra() {
  local log="$1"; shift
  if ! "$@" >>"$log" 2>&1; then
    echo "Errore: $* (ultime righe di $log)" >&2
    tail -n 40 "$log" >&2
    exit 1
  fi
}

# Wine in the build's own folder ($build/wine), with $build/wine.sh to run a program there; one Wine
# server for all the programs that follow, stopped when the script ends.
PreparaWine() {
  export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  cat >"$build/wine.sh" <<FINE
#!/bin/sh
# Runs a Windows program of this build under Wine, in the build's own Wine folder.
export WINEPREFIX="$WINEPREFIX" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "\$@"
FINE
  chmod +x "$build/wine.sh"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    passo "Wine: prima preparazione di $WINEPREFIX"
    registra "$build/log/wine.log" wine wineboot --init
  fi
  wineserver -w
  wineserver -p
  # Wine's services start with the first program and outlive it, holding on to its output: started
  # here, they hold no pipe of the build or of the tests, which would wait for them forever.
  wine cmd /c exit </dev/null >/dev/null 2>&1
  trap 'wineserver -k 2>/dev/null || true' EXIT
}
