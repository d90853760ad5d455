#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `ventbox-cli show` over a data folder of many designs (10,000 by
# default), in every output format, best of three runs each.
# usage: bench/show_bench.sh [BUILD_DIR] [COUNT]   (BUILD_DIR defaults to build/release)
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/cli_bench_lib.sh
cli=$(cli_of "${1:-build/release}")
count=${2:-10000}
time_formats "$cli" "$count" show text csv kv json
