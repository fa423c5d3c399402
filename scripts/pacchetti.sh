# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that install Debian packages, never run.
# Fills the array `mancanti` with those of the given packages that are not installed.
PacchettiMancanti() {
  mancanti=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || mancanti+=("$p")
  done
}
