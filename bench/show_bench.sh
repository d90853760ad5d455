#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `ventbox-cli show` over a data folder of many designs (10,000 by
# default), in every output format, best of three runs each.
# usage: bench/show_bench.sh [BUILD_DIR] [COUNT]   (BUILD_DIR defaults to build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build/release}
count=${2:-10000}
cli="$(realpath -m "$build_dir")/src/cli/ventbox-cli"
if [[ ! -x "$cli" ]]; then
  echo "no $cli: build it first (cmake --preset release && cmake --build --preset release)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data"

# Designs that all calculate: the box and duct sizes vary with the number.
awk -v n="$count" -v dir="$work/Data" 'BEGIN {
  for (i = 1; i <= n; i++) {
    file = sprintf("%s/design-%05d.dat", dir, i)
    printf " %.14E\r\n %.14E\r\n %.14E\r\n %.14E\r\n", 5 + i % 5, 5 + (i % 30) / 10, 0.3 + (i % 40) / 100, 30 + i % 30 > file
    printf " %.14E\r\n %.14E\r\n %.14E\r\n", 20 + i % 17, 40 + i % 23, 25 + i % 11 > file
    printf " %.14E\r\n %.14E\r\n %.14E\r\n", 3 + i % 4, 8 + i % 5, 5 + i % 13 > file
    printf "design-%05d\r\n%s\r\n", i, (i % 2 ? "TRUE" : "FALSE") > file
    close(file)
  }
}'

cd "$work"
"$cli" show --format csv Data/*.dat > /dev/null  # every design must load and calculate
TIMEFORMAT=%R
for format in text csv kv json; do
  best=
  for run in 1 2 3; do
    seconds=$( { time "$cli" show --format "$format" Data/*.dat > /dev/null; } 2>&1 )
    if [[ -z "$best" ]] || awk -v a="$seconds" -v b="$best" 'BEGIN { exit !(a < b) }'; then
      best=$seconds
    fi
  done
  echo "show --format $format, $count designs: ${best} s"
done
