#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds into build/ (Release, Ninja, ccache). Extra arguments go to the build step,
# for example: scripts/compila.sh --target trivalto
set -euo pipefail
radice="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$radice" -B "$radice/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$radice/build" --parallel "$(nproc)" "$@"
