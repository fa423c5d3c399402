#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the .deb as a distribution would take it: lintian without errors or warnings, a valid menu
# entry and AppStream metainfo, and one version everywhere (package, changelogs, metainfo,
# trivalto-cli --version). Exits 77 (skipped) when lintian, desktop-file-validate or appstreamcli
# are not installed; scripts/dipendenze.sh installs them.
# Usage: ControllaDistribuzione.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
sorgenti="$2"
for strumento in lintian desktop-file-validate appstreamcli; do
  command -v "$strumento" >/dev/null || { echo "$strumento non installato: controllo saltato"; exit 77; }
done
lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT
errori=0
sbaglia() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }

cpack -G DEB -B "$lavoro/cpack" --config "$build/CPackConfig.cmake" >"$lavoro/cpack.log" 2>&1 ||
  { cat "$lavoro/cpack.log"; exit 1; }
deb="$(ls "$lavoro"/cpack/trivalto_*.deb)"

# Informational tags are advice, not faults; pedantic and experimental ones are not shown.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$lavoro/lintian.txt" 2>&1 ||
  { cat "$lavoro/lintian.txt"; sbaglia "lintian segnala errori o avvertimenti"; }
grep -E '^[EW]: ' "$lavoro/lintian.txt" && sbaglia "lintian: righe di errore o avvertimento"

radice="$lavoro/radice"
dpkg-deb -x "$deb" "$radice"
desktop-file-validate "$radice/usr/share/applications/trivalto.desktop" || sbaglia "voce di menu non valida"
metainfo="$radice/usr/share/metainfo/it.trivalto.trivalto.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >"$lavoro/appstream.txt" 2>&1 ||
  { cat "$lavoro/appstream.txt"; sbaglia "metainfo non valido"; }

# One version: the package's upstream part is CMake's project version, named by every other place.
versione="$(dpkg-deb -f "$deb" Version)"
progetto="${versione%-*}"
[ "$(dpkg-deb -f "$deb" Section)" = utils ] || sbaglia "sezione: $(dpkg-deb -f "$deb" Section)"
[ "$(dpkg-deb -f "$deb" Priority)" = optional ] || sbaglia "priorità: $(dpkg-deb -f "$deb" Priority)"
grep -q "^## $progetto (" "$sorgenti/CHANGELOG.md" || sbaglia "CHANGELOG.md senza la versione $progetto"
zcat "$radice/usr/share/doc/trivalto/changelog.Debian.gz" | head -1 | grep -qF "trivalto ($versione) " ||
  sbaglia "changelog.Debian non comincia con $versione"
grep -o '<release version="[^"]*"' "$metainfo" | head -1 | grep -qF "\"$progetto\"" ||
  sbaglia "il primo rilascio del metainfo non è $progetto"
# In a home of its own: the first start of an installed copy fills the user's data folder.
mkdir -p "$lavoro/casa"
env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$lavoro/casa" "$radice/usr/bin/trivalto-cli" --version | head -1 | grep -qx "trivalto-cli $progetto" ||
  sbaglia "trivalto-cli --version non dice $progetto"

[ "$errori" = 0 ] || exit 1
echo "Pacchetto $(basename "$deb"): lintian, voce di menu, metainfo e versione $progetto a posto"
