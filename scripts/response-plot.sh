#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes docs/response.png, the README's plot of the example designs.
# usage: scripts/response-plot.sh [BUILD_DIR]   (BUILD_DIR defaults to build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
cli="$(realpath -m "${1:-build/release}")/src/cli/ventbox-cli"
if [[ ! -x "$cli" ]]; then
  echo "no $cli: build it first (cmake --preset release && cmake --build --preset release)" >&2
  exit 2
fi
command -v rsvg-convert > /dev/null || { echo "rsvg-convert is missing: bash scripts/install-deps.sh" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$cli" response --format svg --output "$work/response.svg" examples/*.dat
rsvg-convert --format png --output docs/response.png "$work/response.svg"
echo "docs/response.png: $(ls examples/*.dat | wc -l) designs"
