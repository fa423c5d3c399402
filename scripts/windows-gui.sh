#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows program, its installer and its portable zip (Debian 12, as root), after
# `bash scripts/windows.sh --nucleo` has built the libraries into the cache and tested the core:
#   - Qt's base modules for Windows from Debian's qt6-base source package, static, with the host's Qt
#     tools, into $cache/qt6-base-<version> (reused while the version and the options are the same);
#   - trivalto.exe with that Qt, in build-win/gui;
#   - build-win/Trivalto-<version>-setup.exe (NSIS) and build-win/Trivalto-<version>-portable.zip;
#   - the installer run silently under Wine in Xvfb, the installed program started and photographed.
# Normally started by `bash scripts/windows.sh` (no argument), which first builds and tests the core;
# it also runs alone once the libraries are in the cache. Logs under build-win/log/ and the cache's log/.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TRIVALTO_CACHE_WIN:-/var/cache/trivalto-win}"
build="$radice/build-win"
toolchain="$radice/cmake/mingw-w64-x86_64.cmake"
mkdir -p "$cache/log" "$cache/sorgenti" "$build/log"
inizio_totale=$SECONDS

# shellcheck source=windows/comune.sh
source "$radice/scripts/windows/comune.sh"

# --- Debian packages: the host's Qt tools the cross build runs, NSIS, Xvfb, zip, and Wine's fonts
# (the Windows dialog font the program's windows ask for) ---
pacchetti=(qt6-base-dev qt6-base-dev-tools qt6-translations-l10n nsis xvfb xauth xdotool imagemagick zip unzip fonts-wine
           g++-mingw-w64-x86-64-posix wine wine64 dpkg-dev cmake ninja-build ccache)
PacchettiMancanti "${pacchetti[@]}"
if [ ${#mancanti[@]} -gt 0 ]; then
  passo "Pacchetti Debian: ${mancanti[*]}"
  export DEBIAN_FRONTEND=noninteractive
  registra "$cache/log/apt.log" apt-get update -qq
  registra "$cache/log/apt.log" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
fi

exec 9>"$cache/.blocco"
flock 9

# The libraries that scripts/windows.sh --nucleo built: the newest finished build of each.
radici=()
for pkg in zlib libzip curl libtomcrypt sqlcipher; do
  r="$(for d in "$cache/$pkg"-[0-9]*; do [ -f "$d/.fatto" ] && echo "$d"; done | sort -V | tail -n 1)"
  if [ -z "$r" ]; then
    echo "Errore: $pkg per Windows non è nella cache; prima: bash scripts/windows.sh --nucleo" >&2
    exit 1
  fi
  radici+=("$r")
done

# --- Qt's base modules for Windows ---
# The host's Qt must be the same release: its moc, rcc and uic write code for these headers.
versione_qt="$(dpkg-query -W -f='${Version}' qt6-base-dev-tools)"
versione_qt="${versione_qt#*:}"
sorgenti_qt="$cache/sorgenti/qt6-base-$versione_qt"
if [ ! -f "$sorgenti_qt/.estratto" ]; then
  passo "Sorgente qt6-base $versione_qt"
  rm -rf "$sorgenti_qt"; mkdir -p "$sorgenti_qt"
  registra "$cache/log/sorgenti.log" bash -c "cd '$sorgenti_qt' && apt-get source -qq 'qt6-base=$versione_qt'"
  find "$sorgenti_qt" -mindepth 1 -maxdepth 1 -type d | head -n 1 >"$sorgenti_qt/.estratto"
fi
sorgente_qt="$(cat "$sorgenti_qt/.estratto")"

# Only what the program uses: Core, Gui, Widgets, PrintSupport, Concurrent and Test (the project's
# CMake asks for it), the Windows platform plugin and the Windows style plugin. Every third-party
# library is Qt's own copy, since the host's are for Linux.
opzioni_qt=(
  -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
  -DQT_BUILD_BENCHMARKS=OFF -DQT_BUILD_MANUAL_TESTS=OFF -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
  -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_xml=OFF -DFEATURE_opengl=OFF
  # Windows' GDI fonts: Qt's DirectWrite font code also needs Direct2D, which the program has no use for.
  -DFEATURE_direct2d=OFF -DFEATURE_directwrite=OFF
  -DFEATURE_vulkan=OFF -DFEATURE_zstd=OFF -DFEATURE_icu=OFF -DFEATURE_jpeg=OFF
  -DFEATURE_gif=OFF -DFEATURE_ico=OFF -DFEATURE_freetype=OFF -DFEATURE_androiddeployqt=OFF
  -DFEATURE_pkg_config=OFF
  # Debian's source drops the tablet headers the Windows plugin includes.
  -DFEATURE_tabletevent=OFF
  -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF -DFEATURE_system_png=OFF
  -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_libb2=OFF
  -DFEATURE_system_textmarkdownreader=OFF
)
patch_qt=("$radice"/scripts/windows/qt6-base-*.patch)
[ -e "${patch_qt[0]}" ] || patch_qt=()
chiave_qt="qt6-base $versione_qt ${opzioni_qt[*]} $(cat "${patch_qt[@]}" /dev/null | sha256sum | cut -c1-16)"
qt="$cache/qt6-base-$versione_qt"
if [ -f "$qt/.fatto" ] && [ "$(cat "$qt/.fatto")" = "$chiave_qt" ]; then
  passo "qt6-base $versione_qt: in cache"
else
  log_qt="$cache/log/qt6-base.log"
  passo "qt6-base $versione_qt: compilazione, la prima volta lunga (log: $log_qt)"
  inizio=$SECONDS
  costruzione="$cache/costruzione/qt6-base"
  rm -rf "$qt" "$costruzione"
  mkdir -p "$costruzione"
  cp -a "$sorgente_qt" "$costruzione/sorgente"
  : >"$log_qt"
  for p in "${patch_qt[@]}"; do
    registra "$log_qt" patch -d "$costruzione/sorgente" -p1 -i "$p"
  done
  registra "$log_qt" cmake -S "$costruzione/sorgente" -B "$costruzione/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCMAKE_INSTALL_PREFIX="$qt" \
    -DQT_USE_CCACHE=ON "${opzioni_qt[@]}"
  registra "$log_qt" nice -n 10 cmake --build "$costruzione/build" --parallel "$(nproc)"
  registra "$log_qt" cmake --install "$costruzione/build"
  rm -rf "$costruzione"
  echo "$chiave_qt" >"$qt/.fatto"
  passo "qt6-base $versione_qt: fatto in $((SECONDS - inizio)) s"
fi
exec 9>&-

# --- Wine, the build's own folder as scripts/windows.sh makes it: it runs trivalto-cli.exe to make
# the bundled archive and trivalto-icone.exe to draw the executable's icon ---
PreparaWine

# --- trivalto.exe, trivalto-cli.exe, the bundled archive and the help pages, in build-win/gui ---
inizio=$SECONDS
passo "Programma per Windows in $build/gui (log: $build/log/gui.log)"
: >"$build/log/gui.log"
# A tree configured with another Qt keeps finding that one: it starts again.
if [ -f "$build/gui/CMakeCache.txt" ] && ! grep -q "^Qt6_DIR:PATH=$qt/" "$build/gui/CMakeCache.txt"; then
  rm -rf "$build/gui"
fi
registra "$build/log/gui.log" cmake -S "$radice" -B "$build/gui" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DTRIVALTO_RADICI_WIN="$(IFS=';'; echo "${radici[*]};$qt")" -DQT_HOST_PATH=/usr \
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DCMAKE_BUILD_TYPE=Release -DTRIVALTO_GUI=ON \
  -DTRIVALTO_TESTS=OFF -DTRIVALTO_BENCH=OFF -DCMAKE_CROSSCOMPILING_EMULATOR="$build/wine.sh"
registra "$build/log/gui.log" nice -n 10 cmake --build "$build/gui" --parallel "$(nproc)" \
  --target trivalto trivalto-cli trivalto_dati trivalto_help
passo "Compilato in $((SECONDS - inizio)) s"

# --- The two trees: installed (bin\ beside share\trivalto\, as on Linux) and portable (one folder) ---
versione="$(sed -n 's/^project(Trivalto VERSION \([0-9.]*\).*/\1/p' "$radice/CMakeLists.txt")"
bin="$build/gui/bin"
traduzione=/usr/share/qt6/translations/qtbase_it.qm
albero="$build/pacchetto/installazione"
portatile="$build/pacchetto/Trivalto-$versione-portable"
rm -rf "$build/pacchetto"
mkdir -p "$albero/bin/translations" "$albero/share/trivalto" "$portatile/translations"
for exe in trivalto.exe trivalto-cli.exe; do
  x86_64-w64-mingw32-strip -o "$albero/bin/$exe" "$bin/$exe"
  cp "$albero/bin/$exe" "$portatile/"
done
# Qt's own dialogs in Italian: a static Qt looks for its translations where qt.conf says.
cp "$traduzione" "$albero/bin/translations/"
cp "$traduzione" "$portatile/translations/"
printf '[Paths]\r\nPrefix=.\r\nTranslations=translations\r\n' >"$albero/bin/qt.conf"
cp "$albero/bin/qt.conf" "$portatile/"
cp "$bin/ArchivioLotto.mdb" "$albero/share/trivalto/"
cp -r "$radice/help" "$albero/share/trivalto/help"
cp "$bin/ArchivioLotto.mdb" "$portatile/"
cp -r "$radice/help" "$portatile/help"
# Windows' editors want CR LF.
sed 's/$/\r/' "$radice/LICENSE" >"$albero/LICENSE.txt"
cp "$albero/LICENSE.txt" "$portatile/"

# The libraries are linked into the programs, so their licences travel with them: the copyright files
# of the Debian sources they were built from, and of the compiler's runtime.
licenze="$albero/share/trivalto/licenze"
mkdir -p "$licenze"
for pkg in qt6-base zlib libzip curl libtomcrypt sqlcipher; do
  f="$(cat "$(for d in "$cache/sorgenti/$pkg"-[0-9]*; do [ -f "$d/.estratto" ] && echo "$d"; done | sort -V |
    tail -n 1)/.estratto")/debian/copyright"
  sed 's/$/\r/' "$f" >"$licenze/$pkg.txt"
done
sed 's/$/\r/' /usr/share/doc/mingw-w64-common/copyright >"$licenze/mingw-w64.txt"
sed 's/$/\r/' /usr/share/doc/gcc-mingw-w64-base/copyright >"$licenze/gcc-mingw-w64.txt"
cp -r "$licenze" "$portatile/licenze"

# --- The installer ---
elenco="$build/pacchetto/disinstalla.nsh"
{
  (cd "$albero" && find bin share -type f | sort) | sed 's|/|\\|g; s|.*|  Delete "$INSTDIR\\&"|'
  (cd "$albero" && find bin share -type d | sort -r) | sed 's|/|\\|g; s|.*|  RMDir "$INSTDIR\\&"|'
} >"$elenco"
setup="$build/Trivalto-$versione-setup.exe"
passo "Installatore $setup"
: >"$build/log/nsis.log"
registra "$build/log/nsis.log" makensis -V3 -INPUTCHARSET UTF8 -DVERSIONE="$versione" -DSORGENTE="$albero" \
  -DELENCO="$elenco" -DUSCITA="$setup" -DDIMENSIONE_KB="$(du -sk "$albero" | cut -f1)" \
  "$radice/scripts/windows/trivalto.nsi"

# --- The portable zip: one folder, unpacked anywhere ---
zip_portatile="$build/Trivalto-$versione-portable.zip"
passo "Zip portatile $zip_portatile"
rm -f "$zip_portatile"
(cd "$build/pacchetto" && registra "$build/log/zip.log" zip -r -9 -X "$zip_portatile" "Trivalto-$versione-portable")
wineserver -k 2>/dev/null || true
trap - EXIT

[ "${TRIVALTO_SENZA_PROVA:-}" = 1 ] && { passo "Fatto in $((SECONDS - inizio_totale)) s"; exit 0; }

# --- Under Wine in Xvfb: silent install in a fresh Wine folder, the program started, screenshots ---
inizio=$SECONDS
passo "Prova dell'installatore sotto Wine (log: $build/log/prova.log)"
: >"$build/log/prova.log"
registra "$build/log/prova.log" xvfb-run -a -s "-screen 0 1280x800x24" \
  bash "$radice/scripts/windows/prova-installatore.sh" "$setup" "$build/wine-prova" "$radice/docs/schermate" \
  "$zip_portatile"
passo "Prova superata in $((SECONDS - inizio)) s; tutto in $((SECONDS - inizio_totale)) s"
