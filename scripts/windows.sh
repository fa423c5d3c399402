#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds Trivalto for 64-bit Windows with Debian's mingw-w64 and tests it under Debian's Wine
# (Debian 12, as root). The libraries Debian ships no Windows build of are built from Debian's own
# source packages into a cache outside the repository ($TRIVALTO_CACHE_WIN, by default
# /var/cache/trivalto-win), one folder per package and version, so a second run reuses them.
#   bash scripts/windows.sh --nucleo   the core, trivalto-cli.exe and the core tests, in build-win/
#   bash scripts/windows.sh            that, then scripts/windows-gui.sh: trivalto.exe, installer, zip
# Every step's output goes to a log file under build-win/log/ or the cache's log/ folder.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TRIVALTO_CACHE_WIN:-/var/cache/trivalto-win}"
build="$radice/build-win"
tripletta=x86_64-w64-mingw32
toolchain="$radice/cmake/mingw-w64-x86_64.cmake"
modo="${1:-}"
case "$modo" in
  --nucleo) ;;
  # Everything: the core as below, then the program, its installer and its portable zip.
  "") bash "$radice/scripts/windows.sh" --nucleo && exec bash "$radice/scripts/windows-gui.sh" ;;
  *) echo "Uso: bash scripts/windows.sh [--nucleo] (senza argomenti anche trivalto.exe, installatore e zip)" >&2
     exit 2 ;;
esac
mkdir -p "$cache/log" "$cache/sorgenti" "$build/log"
inizio_totale=$SECONDS

# shellcheck source=windows/comune.sh
source "$radice/scripts/windows/comune.sh"

# --- Debian packages: cross compilers, Wine, source tools ---
pacchetti=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64
           dpkg-dev cmake ninja-build pkg-config make tcl python3 ccache)
PacchettiMancanti "${pacchetti[@]}"
fonti=/etc/apt/sources.list.d/trivalto-sorgenti.sources
if [ ! -f "$fonti" ]; then
  # Debian's source packages, from the same mirrors as the binary ones.
  if [ -f /etc/apt/sources.list.d/debian.sources ]; then
    sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources >"$fonti"
  else
    cat >"$fonti" <<'FINE'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
FINE
  fi
  aggiorna_apt=1
fi
if [ ${#mancanti[@]} -gt 0 ] || [ -n "${aggiorna_apt:-}" ]; then
  passo "Pacchetti Debian: ${mancanti[*]:-nessuno, solo gli elenchi dei sorgenti}"
  export DEBIAN_FRONTEND=noninteractive
  registra "$cache/log/apt.log" apt-get update -qq
  [ ${#mancanti[@]} -eq 0 ] || registra "$cache/log/apt.log" apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
fi

# One run at a time builds into the cache.
exec 9>"$cache/.blocco"
flock 9

# --- Dependencies from Debian's source packages ---
# Versions that apt knows for a source package, newest first.
versioni() {
  apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/ {print $2}' | sort -u -r -V
}
# Unpacks the newest source of $1 that the mirror still has into $cache/sorgenti/$1-<version> and
# sets $sorgente and $versione. A version listed but gone from the mirror is skipped.
prendi_sorgente() {
  local pkg="$1" v cartella
  for v in $(versioni "$pkg"); do
    cartella="$cache/sorgenti/$pkg-${v#*:}"
    if [ -f "$cartella/.estratto" ]; then
      sorgente="$(cat "$cartella/.estratto")"; versione="${v#*:}"; return 0
    fi
    rm -rf "$cartella"; mkdir -p "$cartella"
    if (cd "$cartella" && apt-get source -qq "$pkg=$v") >>"$cache/log/sorgenti.log" 2>&1; then
      sorgente="$(find "$cartella" -mindepth 1 -maxdepth 1 -type d | head -n 1)"
      echo "$sorgente" >"$cartella/.estratto"
      versione="${v#*:}"; return 0
    fi
    rm -rf "$cartella"
    echo "  $pkg $v non disponibile, provo la versione precedente" >>"$cache/log/sorgenti.log"
  done
  echo "Errore: nessun sorgente di $pkg scaricabile (vedi $cache/log/sorgenti.log)" >&2
  exit 1
}

# The compiler's own libraries (and its thread library), which some packages list among theirs, go; a
# library named twice, once.
pulisci_pc() {
  local libs="" l
  for l in $(sed -n 's/^Libs: *//p' "$1"); do
    case " $l " in *" -lmingw32 "* | *" -lgcc "* | *" -lmoldname "* | *" -lmingwex "* | *" -lkernel32 "* | *" -lpthread "*) continue ;; esac
    case " $libs " in *" $l "*) ;; *) libs="$libs $l" ;; esac
  done
  sed -i "s|^Libs: .*|Libs:$libs|" "$1"
}

tutte=()    # the prefixes of every library built, for the program's build
sopra=()    # the prefixes the library being built is built on
# Builds $1 with function costruisci_$1 into $cache/$1-<version>, on the prefixes that follow, unless a
# finished build with the same key (its version and what it is built on) is there. Sets $prefisso.
dipendenza() {
  local pkg="$1" chiave inizio
  shift
  sopra=("$@")
  prendi_sorgente "$pkg"
  prefisso="$cache/$pkg-$versione"
  chiave="$pkg $versione $*"
  if [ -f "$prefisso/.fatto" ] && [ "$(cat "$prefisso/.fatto")" = "$chiave" ]; then
    passo "$pkg $versione: in cache"
  else
    passo "$pkg $versione: compilazione (log: $cache/log/$pkg-$versione.log)"
    inizio=$SECONDS
    rm -rf "$prefisso" "$cache/costruzione/$pkg"
    mkdir -p "$prefisso/include" "$prefisso/lib/pkgconfig" "$cache/costruzione"
    cp -a "$sorgente" "$cache/costruzione/$pkg"
    : >"$cache/log/$pkg-$versione.log"
    (cd "$cache/costruzione/$pkg" && "costruisci_$pkg" "$cache/log/$pkg-$versione.log")
    # Everything is static: what a library needs privately, its users link too.
    for pc in "$prefisso"/lib/pkgconfig/*.pc; do
      [ -f "$pc" ] || continue
      privati="$(sed -n 's/^Libs.private: *//p' "$pc")"
      [ -z "$privati" ] || sed -i -e "s|^Libs: .*|& $privati|" -e '/^Libs.private:/d' "$pc"
      sed -i 's/^Requires.private:/Requires:/' "$pc"
      pulisci_pc "$pc"
    done
    rm -rf "$cache/costruzione/$pkg"
    echo "$chiave" >"$prefisso/.fatto"
    passo "$pkg $versione: fatto in $((SECONDS - inizio)) s"
  fi
  tutte+=("$prefisso")
}

cmake_win() {
  local log="$1"; shift
  registra "$log" nice -n 10 cmake -S . -B _build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DTRIVALTO_RADICI_WIN="$(IFS=';'; echo "${sopra[*]:-}")" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefisso" -DBUILD_SHARED_LIBS=OFF "$@"
  registra "$log" nice -n 10 cmake --build _build --parallel "$(nproc)"
  registra "$log" cmake --install _build
}

costruisci_zlib() {
  # Debian's source has no Windows makefile; the library is these files.
  local f
  for f in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees trees \
           uncompr zutil; do
    registra "$1" nice -n 10 $tripletta-gcc-posix -O2 -c $f.c -o $f.o
  done
  registra "$1" $tripletta-ar rcs libz.a ./*.o
  cp zlib.h zconf.h "$prefisso/include/"
  cp libz.a "$prefisso/lib/"
  cat >"$prefisso/lib/pkgconfig/zlib.pc" <<FINE
Name: zlib
Description: zlib per Windows
Version: ${versione%%.dfsg*}
Cflags: -I$prefisso/include
Libs: -L$prefisso/lib -lz
FINE
}

costruisci_libzip() {
  # Deflate only: no bzip2, lzma, zstd or encryption; the zlib just built.
  cmake_win "$1" -DZLIB_INCLUDE_DIR="$zlib/include" -DZLIB_LIBRARY="$zlib/lib/libz.a" \
    -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF -DENABLE_ZSTD=OFF -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF \
    -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF -DENABLE_WINDOWS_CRYPTO=OFF -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
}

costruisci_curl() {
  # HTTP, HTTPS, FTP and FTPS over Windows' own TLS (Schannel); no other protocol or optional library.
  local via=()
  for p in DICT FILE GOPHER IMAP LDAP LDAPS MQTT POP3 RTSP SMB SMTP TELNET TFTP; do via+=(-DCURL_DISABLE_$p=ON); done
  cmake_win "$1" -DCURL_USE_SCHANNEL=ON -DCURL_USE_OPENSSL=OFF -DCURL_USE_MBEDTLS=OFF -DCURL_USE_WOLFSSL=OFF \
    -DCURL_USE_LIBSSH2=OFF -DCURL_USE_LIBSSH=OFF -DCURL_USE_GSSAPI=OFF -DCURL_ZLIB=OFF -DCURL_BROTLI=OFF \
    -DCURL_ZSTD=OFF -DUSE_NGHTTP2=OFF -DUSE_NGHTTP3=OFF -DUSE_LIBIDN2=OFF -DUSE_WIN32_IDN=OFF \
    -DENABLE_UNIX_SOCKETS=OFF -DBUILD_CURL_EXE=OFF -DBUILD_TESTING=OFF -DENABLE_MANUAL=OFF -DBUILD_LIBCURL_DOCS=OFF \
    -DCURL_CA_BUNDLE=none -DCURL_CA_PATH=none "${via[@]}"
  # A static libcurl on Windows needs its users to say so, or they look for its functions in a DLL.
  sed -i 's|^Cflags: .*|& -DCURL_STATICLIB|' "$prefisso/lib/pkgconfig/libcurl.pc"
}

costruisci_libtomcrypt() {
  registra "$1" env CFLAGS="-O2 -DNDEBUG" nice -n 10 make -f makefile CROSS_COMPILE=$tripletta- \
    CC=$tripletta-gcc-posix -j"$(nproc)" library
  cp src/headers/*.h "$prefisso/include/"
  cp libtomcrypt.a "$prefisso/lib/"
}

costruisci_sqlcipher() {
  # The amalgamation is generated on the host (it needs tclsh), then compiled for Windows with
  # libtomcrypt as the crypto provider: the same file format as the Linux build's OpenSSL one.
  registra "$1" ./configure --with-crypto-lib=none --disable-tcl --enable-tempstore=yes CFLAGS="-DSQLITE_HAS_CODEC"
  registra "$1" nice -n 10 make sqlite3.c
  registra "$1" nice -n 10 $tripletta-gcc-posix -O2 -fno-strict-aliasing -DSQLITE_HAS_CODEC \
    -DSQLCIPHER_CRYPTO_LIBTOMCRYPT -DSQLITE_TEMP_STORE=2 -DSQLITE_THREADSAFE=1 -DSQLITE_SECURE_DELETE \
    -DSQLITE_MAX_SCHEMA_RETRY=25 -DSQLITE_OMIT_LOAD_EXTENSION -I"$libtomcrypt/include" -c sqlite3.c -o sqlite3.o
  registra "$1" $tripletta-ar rcs libsqlcipher.a sqlite3.o
  mkdir -p "$prefisso/include/sqlcipher"
  cp sqlite3.h "$prefisso/include/sqlcipher/"
  cp libsqlcipher.a "$prefisso/lib/"
  cat >"$prefisso/lib/pkgconfig/sqlcipher.pc" <<FINE
Name: SQLCipher
Description: SQLCipher (libtomcrypt) per Windows
Version: $versione
Cflags: -I$prefisso/include/sqlcipher
Libs: -L$prefisso/lib -lsqlcipher -L$libtomcrypt/lib -ltomcrypt
FINE
}

costruisci_googletest() {
  cmake_win "$1" -DBUILD_GMOCK=ON -DINSTALL_GTEST=ON
}

inizio_dipendenze=$SECONDS
dipendenza zlib; zlib="$prefisso"
dipendenza libzip "$zlib"
dipendenza curl
dipendenza libtomcrypt; libtomcrypt="$prefisso"
dipendenza sqlcipher "$libtomcrypt"
dipendenza googletest
passo "Dipendenze pronte in $((SECONDS - inizio_dipendenze)) s"
# The cache is only read from here on; Wine's long-lived processes must not inherit the lock.
exec 9>&-

# --- Wine: its own folder in the build tree, started once (the first start is slow) ---
inizio=$SECONDS
PreparaWine
passo "Wine pronto in $((SECONDS - inizio)) s"

# --- The Linux trivalto-cli and its archive database, for the comparison ---
# Brought up to date every time, so the comparison is between the same sources.
linux_cli="$radice/build/bin/trivalto-cli"
passo "trivalto-cli per Linux in build/ (log: $build/log/linux.log)"
bash "$radice/scripts/dipendenze.sh"
: >"$build/log/linux.log"
registra "$build/log/linux.log" nice -n 10 bash "$radice/scripts/compila.sh" --target trivalto-cli trivalto_dati

# --- The core, trivalto-cli.exe and the core tests for Windows ---
inizio=$SECONDS
passo "Compilazione per Windows in $build/nucleo (log: $build/log/nucleo.log)"
: >"$build/log/nucleo.log"
registra "$build/log/nucleo.log" cmake -S "$radice" -B "$build/nucleo" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DTRIVALTO_RADICI_WIN="$(IFS=';'; echo "${tutte[*]}")" -DCMAKE_BUILD_TYPE=Release -DTRIVALTO_GUI=OFF \
  -DTRIVALTO_BENCH=OFF -DCMAKE_CROSSCOMPILING_EMULATOR="$build/wine.sh" -DTRIVALTO_CLI_LINUX="$linux_cli"
registra "$build/log/nucleo.log" nice -n 10 cmake --build "$build/nucleo" --parallel "$(nproc)"
passo "Compilato in $((SECONDS - inizio)) s"

inizio=$SECONDS
passo "Test sotto Wine (log: $build/log/test.log)"
: >"$build/log/test.log"
if ! (cd "$build/nucleo" && ctest --output-on-failure) >"$build/log/test.log" 2>&1; then
  tail -n 60 "$build/log/test.log" >&2
  echo "Errore: test falliti sotto Wine (vedi $build/log/test.log)" >&2
  exit 1
fi
grep -E "Test +#[0-9]+:|tests passed|Total Test time" "$build/log/test.log"
passo "Test superati in $((SECONDS - inizio)) s; tutto in $((SECONDS - inizio_totale)) s"
