#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Peak resident memory of `ventbox-cli show` over a data folder of many
# designs (100,000 by default): csv, which goes out a design at a time, and
# the aligned table, which keeps its rows' text until the widths are known.
# usage: bench/show_memory.sh [BUILD_DIR] [COUNT]   (BUILD_DIR defaults to build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/cli_bench_lib.sh
cli=$(cli_of "${1:-build/release}")
count=${2:-100000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data"
make_designs "$work/Data" "$count"
cd "$work"
# So many names need more room for arguments than the default stack allows.
ulimit -s 65536
for format in csv text; do
  kib=$(/usr/bin/time -f %M "$cli" show --format "$format" Data/*.dat 2>&1 > /dev/null | tail -n 1)
  echo "show --format $format, $count designs: peak RSS $((kib / 1024)) MiB ($kib KiB)"
done
