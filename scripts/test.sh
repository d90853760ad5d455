#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: the development build, the sanitizer build,
# the software extended type forced on, and the fuzz corpus replay.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in dev asan soft fuzz; do
  echo "== $preset"
  cmake --workflow --preset "$preset"
done
echo "== aarch64 under qemu"
bash scripts/cross-aarch64.sh
