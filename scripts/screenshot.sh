#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Remakes docs/screenshot.png, the window with the first example design, and
# docs/graph.png, the window with its response graph and two designs of Data
# compared, taken on a virtual X server under a real window manager so that
# the frames show.
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
tools=(xvfb x11-utils openbox xdotool imagemagick wmctrl)
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
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp &
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

# Ctrl+G opens the graph; Alt+D reaches its list of designs, where Space
# ticks the first and, a row down, the second.
xdotool key --clearmodifiers ctrl+g
graph=$(timeout 20 xdotool search --sync --onlyvisible --name '^周波数特性$' | head -n 1)
xdotool windowactivate --sync "$graph"
sleep 0.5
xdotool key --clearmodifiers alt+d space Down space
sleep 1
# Both windows, cut from the screen around their frames.
geometry=$(wmctrl -lG | awk '$NF == "Box" || $NF == "周波数特性" {
  if (!n++ || $3 < l) l = $3; if ($4 < t || n == 1) t = $4
  if ($3 + $5 > r) r = $3 + $5; if ($4 + $6 > b) b = $4 + $6 }
  END { printf "%dx%d+%d+%d", r - l + 8, b - t + 40, (l > 4 ? l - 4 : 0), (t > 36 ? t - 36 : 0) }')
import -window root -crop "$geometry" +repage "$repo/docs/graph.png"
echo "docs/graph.png: $(identify -format '%w x %h' "$repo/docs/graph.png")"
