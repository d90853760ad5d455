#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The long proof of the software extended type against the x87 unit, run by
# hand: 100 million random operands per operation (the test run uses 10
# million). An optional argument gives the seed, to cover other operands.
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/differential
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DVENTBOX_BUILD_GUI=OFF -DVENTBOX_BUILD_BENCHMARKS=OFF
cmake --build "$build" -j "${JOBS:-2}" --target x87_differential_tests

export VENTBOX_DIFFERENTIAL_COUNT="${VENTBOX_DIFFERENTIAL_COUNT:-100000000}"
if [[ $# -gt 0 ]]; then export VENTBOX_DIFFERENTIAL_SEED="$1"; fi
time "$build/tests/soft/x87_differential_tests" --gtest_filter='SoftAgainstX87.*'
