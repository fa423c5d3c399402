#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the .deb from a finished build folder and checks it as a new user would meet it: the parts
# are where the desktop looks for them, the dependencies are computed, the unpacked programs start
# in an empty home, write only there, and a reinstall keeps the archive the user changed.
# Usage: ControllaPacchetto.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
sorgenti="$2"
lavoro="$(mktemp -d)"
trap 'rm -rf "$lavoro"' EXIT
errori=0
sbaglia() { echo "ERRORE: $*" >&2; errori=$((errori + 1)); }

cpack -G DEB -B "$lavoro/cpack" --config "$build/CPackConfig.cmake" >"$lavoro/cpack.log" 2>&1 ||
  { cat "$lavoro/cpack.log"; exit 1; }
deb="$(ls "$lavoro"/cpack/trivalto_*.deb)"

# Parts: exactly these files (help pages as in the sources), nothing of the build tree.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's#^\./#/#' | sort >"$lavoro/contenuto"
{
  printf '%s\n' /usr/bin/trivalto /usr/bin/trivalto-cli /usr/share/applications/trivalto.desktop \
    /usr/share/icons/hicolor/scalable/apps/trivalto.svg /usr/share/man/man1/trivalto-cli.1.gz \
    /usr/share/man/man1/trivalto.1.gz /usr/share/metainfo/it.trivalto.trivalto.metainfo.xml \
    /usr/share/doc/trivalto/copyright /usr/share/doc/trivalto/changelog.Debian.gz \
    /usr/share/doc/trivalto/changelog.gz /usr/share/lintian/overrides/trivalto \
    /usr/share/trivalto/ArchivioLotto.mdb
  for lato in 16 24 32 48 64 128 256 512; do echo "/usr/share/icons/hicolor/${lato}x${lato}/apps/trivalto.png"; done
  for pagina in "$sorgenti"/help/*; do echo "/usr/share/trivalto/help/$(basename "$pagina")"; done
} | sort >"$lavoro/atteso"
diff -u "$lavoro/atteso" "$lavoro/contenuto" || sbaglia "contenuto del pacchetto diverso dall'atteso"

dipende="$(dpkg-deb -f "$deb" Depends)"
for libreria in libqt6widgets6 libqt6printsupport6 libsqlcipher0 libcurl4 libzip4; do
  [[ "$dipende" == *"$libreria "* ]] || sbaglia "Depends senza $libreria: $dipende"
done
dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/applications/trivalto.desktop >"$lavoro/voce.desktop"
for riga in 'Type=Application' 'Name=Trivalto' 'Exec=trivalto' 'Icon=trivalto' 'Terminal=false'; do
  grep -qx "$riga" "$lavoro/voce.desktop" || sbaglia "voce di menu senza $riga"
done
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$lavoro/voce.desktop" || sbaglia "voce di menu non valida"; fi
zcat <(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/man/man1/trivalto-cli.1.gz) | grep -q '^\.TH TRIVALTO-CLI 1' ||
  sbaglia "pagina di manuale illeggibile"

# First start of the unpacked programs in an empty home: the user's folder gets the program
# database and a copy of the bundled archive; the installed tree is not written.
radice="$lavoro/radice"
dpkg-deb -x "$deb" "$radice"
chmod -R a-w "$radice/usr"
find "$radice" | sort >"$lavoro/albero"
casa="$lavoro/casa"
mkdir -p "$casa"
utente="$casa/.local/share/Trivalto/Trivalto"
esegui() { env -u XDG_DATA_HOME -u XDG_CONFIG_HOME HOME="$casa" "$@"; }
esegui "$radice/usr/bin/trivalto-cli" analizza >"$lavoro/prima.txt" || sbaglia "trivalto-cli installato non parte"
[ -f "$utente/DbTrivalto.mdb" ] && [ -f "$utente/ArchivioLotto.mdb" ] || sbaglia "cartella dell'utente non preparata"
grep -q $'^1\t7370\t21/08/2026' "$lavoro/prima.txt" || sbaglia "l'analisi non legge l'archivio incluso"
# The window program also starts there (it waits at its start window until stopped).
rc=0
esegui env QT_QPA_PLATFORM=offscreen timeout 5 "$radice/usr/bin/trivalto" >"$lavoro/finestre.log" 2>&1 || rc=$?
[ "$rc" = 124 ] || { cat "$lavoro/finestre.log"; sbaglia "trivalto installato si è chiuso con $rc"; }
find "$radice" | sort | diff -u "$lavoro/albero" - || sbaglia "i programmi installati hanno scritto fuori dalla cartella dell'utente"

# The user adds a draw; the package is installed again over itself; the draw is still there.
tail -n 1 "$sorgenti/data/archivio-1939-2026.txt" | sed 's#^21/08/2026#22/08/2026#' >"$lavoro/nuova.txt"
esegui "$radice/usr/bin/trivalto-cli" importa "$lavoro/nuova.txt" --archivio "$utente/ArchivioLotto.mdb" >/dev/null ||
  sbaglia "importazione nell'archivio dell'utente non riuscita"
impronta="$(sha256sum "$utente/ArchivioLotto.mdb" "$utente/DbTrivalto.mdb" | cut -d' ' -f1)"
chmod -R u+w "$radice/usr"
dpkg-deb -x "$deb" "$radice"
esegui "$radice/usr/bin/trivalto-cli" analizza >"$lavoro/dopo.txt" || sbaglia "trivalto-cli reinstallato non parte"
[ "$impronta" = "$(sha256sum "$utente/ArchivioLotto.mdb" "$utente/DbTrivalto.mdb" | cut -d' ' -f1)" ] ||
  sbaglia "la reinstallazione ha cambiato i file dell'utente"
grep -q $'^1\t7371\t22/08/2026' "$lavoro/dopo.txt" || sbaglia "l'estrazione aggiunta dall'utente non c'è più"

[ "$errori" = 0 ] || exit 1
echo "Pacchetto $(basename "$deb") controllato"
