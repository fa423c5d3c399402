# SPDX-License-Identifier: GPL-3.0-or-later
# What the two Windows build scripts share; sourced, never run.
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
