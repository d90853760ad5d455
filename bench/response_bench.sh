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
time_formats "$cli" "$count" response csv text svg
