#!/usr/bin/env bash
# Builds ventbox and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release
exec build/release/src/cli/ventbox-cli calc --format text 7 35 6.4 0.42 25 50 30 4 10 10
