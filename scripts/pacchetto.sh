#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/deb/trivalto_VERSION_amd64.deb (installs what is missing first).
# Install it with: apt install ./build/deb/trivalto_*.deb
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
bash "$radice/scripts/compila.sh" --target trivalto trivalto-cli trivalto_dati trivalto_icone_file trivalto_man trivalto_documenti
rm -rf "$radice/build/deb"
(cd "$radice/build" && cpack -G DEB -B "$radice/build/deb" >/dev/null)
rm -rf "$radice/build/deb/_CPack_Packages"
ls "$radice"/build/deb/trivalto_*.deb
