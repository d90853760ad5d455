#!/usr/bin/env bash
# Remakes doc/response.png, the README's plot of the example designs:
# examples/*.dat when there are any, else the worked examples saved afresh.
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
designs=(examples/*.dat)
if [[ ! -e "${designs[0]}" ]]; then
  "$cli" calc 7 35 6.4 0.42 25 50 30 4 10 10 --save FW208Kolvex --data-dir "$work" > /dev/null
  "$cli" calc --pipe 7 35 6.4 0.42 25 50 30 5 5 10 --save 丸パイプ --data-dir "$work" > /dev/null
  "$cli" calc 7 35 6.4 0.42 25 50 30 5.5 1 1 --save slot --data-dir "$work" > /dev/null
  "$cli" calc 7 30 8 0.3 36 44 20 3 10 10 --save 小型 --data-dir "$work" > /dev/null
  designs=("$work"/*.dat)
fi
mkdir -p doc
"$cli" response --format svg --output "$work/response.svg" "${designs[@]}"
rsvg-convert --format png --output doc/response.png "$work/response.svg"
echo "doc/response.png: ${#designs[@]} designs"
