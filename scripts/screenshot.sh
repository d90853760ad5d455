#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes docs/screenshot.png: the window with the first example design, taken
# on a virtual X server under a real window manager so that the frame shows.
# Usage: scripts/screenshot.sh [path/to/ventbox]
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
program=${1:-build/app/src/ui/qt/ventbox}
if [ ! -x "$program" ]; then
  cmake --preset app >/dev/null
  cmake --build --preset app --target ventbox
fi
program=$(readlink -f "$program")
tools=(xvfb x11-utils openbox xdotool imagemagick)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] || apt-get install -y -qq --no-install-recommends "${missing[@]}"

work=$(mktemp -d)
pids=()
cleanup() {
  # The program first, the X server last.
  for ((i = ${#pids[@]} - 1; i >= 0; i--)); do kill "${pids[i]}" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
mkdir "$work/Data"
cp examples/*.dat "$work/Data/"

display=:$((RANDOM % 400 + 100))
while [ -e "/tmp/.X11-unix/X${display#:}" ]; do display=:$((RANDOM % 400 + 100)); done
Xvfb "$display" -screen 0 800x600x24 -nolisten tcp &
pids+=($!)
export DISPLAY=$display
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
pids+=($!)
sleep 1

(cd "$work" && exec "$program") &
pids+=($!)
program_pid=$!
# The start-up file dialog comes first; cancelling it loads the design named
# FW208Kolvex from the Data folder.
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Open$' | head -n 1)
xdotool windowactivate --sync "$dialog"
sleep 0.5
xdotool key --clearmodifiers Escape
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Box$' | head -n 1)
xdotool windowactivate --sync "$window"
sleep 1
import -window "$window" -frame "$repo/docs/screenshot.png"
echo "docs/screenshot.png: $(identify -format '%w x %h' "$repo/docs/screenshot.png")"
