#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds everything and runs the whole test suite.
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
bash "$radice/scripts/dipendenze.sh"
# What CI runs builds with warnings as errors; the option stays in build/'s cache for later builds.
cmake -S "$radice" -B "$radice/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTRIVALTO_WERROR=ON >/dev/null
bash "$radice/scripts/compila.sh"
cd "$radice/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
