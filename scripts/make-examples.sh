#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Saves the example designs into examples/ through ventbox-cli, so that they
# are exactly the files the window's save writes.
# Usage: scripts/make-examples.sh [path/to/ventbox-cli]
set -euo pipefail
cd "$(dirname "$0")/.."
cli=${1:-build/dev/src/cli/ventbox-cli}
save() {
  local name=$1
  shift
  "$cli" calc "$@" --save "$name" --data-dir examples >/dev/null
}
mkdir -p examples
# The window's initial texts, under the name a first start loads.
save FW208Kolvex 7 35 6.4 0.42 25 50 30 4 10 10
# The same box with a round pipe of 5 cm diameter, and a square duct 5 x 5.
save FW208Pipe5 --pipe 7 35 6.4 0.42 25 50 30 5 5 10
save FW208Square5 7 35 6.4 0.42 25 50 30 5 5 10
# A slit duct whose volume falls exactly halfway between two cubic centimetres.
save FW208Slit 7 35 6.4 0.42 25 50 30 5.5 1 1
# Another driver in a wider, shallower box.
save 16F10Kolvex 7 30 8 0.3 36 44 20 3 10 10
# A small box with a round pipe, under a Japanese name.
save 小型パイプダクト --pipe 5 60 3.5 0.5 20 30 20 3 3 8
