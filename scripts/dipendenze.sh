#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build, the program and the tests need (Debian 12, as root).
# Does nothing when everything is already there.
set -euo pipefail
pacchetti=(build-essential dpkg-dev clang clang-format-14 libclang-rt-14-dev cmake ninja-build ccache pkg-config qt6-base-dev libqt6gui6 libsqlcipher-dev
           libcurl4-openssl-dev libzip-dev python3-pyftpdlib qt6-translations-l10n googletest libgtest-dev libgmock-dev libbenchmark-dev
           fonts-dejavu-core xvfb xdotool imagemagick lintian desktop-file-utils appstream)
# shellcheck source=pacchetti.sh
source "$(dirname "$0")/pacchetti.sh"
PacchettiMancanti "${pacchetti[@]}"
if [ ${#mancanti[@]} -gt 0 ]; then
  echo "Installazione dei pacchetti: ${mancanti[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${mancanti[@]}" >/dev/null
fi
