#!/usr/bin/env bash
# Installs what is missing, builds ventbox and starts its window in the
# folder this script was called from; designs are kept in its Data folder.
set -euo pipefail
start_dir=$PWD
cd "$(dirname "$0")/.."
repo=$PWD
bash scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target ventbox
program=$repo/build/release/src/ui/qt/ventbox

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  cat >&2 <<MSG
ventbox is built, but there is no display to open its window on
(neither DISPLAY nor WAYLAND_DISPLAY is set).
Start it under a virtual X server instead (xvfb-run comes with xvfb):
  cd "$start_dir" && xvfb-run -a -s "-screen 0 1024x768x24" "$program"
MSG
  exit 2
fi

cd "$start_dir"
if [ ! -d Data ]; then
  echo "Note: there is no Data folder in $start_dir; ventbox saves there on" \
       "closing and keeps its window open until the folder exists (mkdir Data)." >&2
fi
exec "$program"
