#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds and starts the program on the bundled real archive.
# Without a display it runs the same analysis headless and prints its tables.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" --target trivalto trivalto-cli trivalto_dati trivalto_help
if [ -n "${DISPLAY:-}" ]; then
  exec "$radice/build/bin/trivalto"
fi
echo "Nessun display: analisi dell'ultima estrazione con trivalto-cli (per la finestra: DISPLAY=:0 build/bin/trivalto)"
exec "$radice/build/bin/trivalto-cli" analizza
