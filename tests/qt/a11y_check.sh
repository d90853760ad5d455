#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs scripts/a11y-check.py against the window as a screen reader meets it:
# the program on its own X server, D-Bus session and accessibility bus.
# Exits 77 (a skip) when one of them is not installed, saying which.
# Usage: a11y_check.sh VENTBOX SOURCE_DIR
set -euo pipefail
ventbox=$1
source=$2

missing=()
for tool in xvfb-run dbus-run-session; do command -v "$tool" >/dev/null || missing+=("$tool"); done
[ -x /usr/libexec/at-spi-bus-launcher ] || missing+=(at-spi-bus-launcher)
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || missing+=(python3-pyatspi)
if [ ${#missing[@]} -gt 0 ]; then
  echo "SKIP: ${missing[*]} not installed (bash scripts/install-deps.sh installs them)"
  exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/Data"
cd "$scratch"
# The window on the X server, not the offscreen platform the other tests use.
unset QT_QPA_PLATFORM
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# The check ends the program through its own close; one that fails first
# leaves it running, so it is ended here.
timeout 300 xvfb-run -a dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  bus=$!
  sleep 1
  "$0" &
  program=$!
  status=0
  /usr/bin/python3 "$1" || status=$?
  kill "$program" "$bus" 2>/dev/null || true
  exit "$status"' "$ventbox" "$source/scripts/a11y-check.py"
