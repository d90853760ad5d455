#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `ventbox-cli response` over many designs (1,000 by default), in
# every output format, best of three runs each.
# usage: bench/response_bench.sh [BUILD_DIR] [COUNT]   (BUILD_DIR defaults to build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/cli_bench_lib.sh
cli=$(cli_of "${1:-build/release}")
count=${2:-1000}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/Data"
make_designs "$work/Data" "$count"

cd "$work"
"$cli" response --format csv Data/*.dat > /dev/null  # every design must have a response
for format in csv text svg; do
  echo "response --format $format, $count designs: $(best_of_three "$cli" response --format "$format" Data/*.dat) s"
done
