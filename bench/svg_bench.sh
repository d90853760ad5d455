#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times the picture of `ventbox-cli response --format svg` over many designs
# (10,000 by default; the target is 10 s), best of three runs.
# usage: bench/svg_bench.sh [BUILD_DIR] [COUNT]   (BUILD_DIR defaults to build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/cli_bench_lib.sh
cli=$(cli_of "${1:-build/release}")
count=${2:-10000}
time_formats "$cli" "$count" response svg
