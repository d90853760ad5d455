#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what building and running need, builds ventbox and ventbox-cli in
# release and starts the window in the folder this script was called from.
# Where that folder has no Data folder, the window starts in the per-user
# working folder as the menu entry does. With no display it shows the example
# designs through ventbox-cli instead.

# How the program starts for a call from the folder $1: "examples" where there
# is no display, "here" where that folder has a Data folder, otherwise
# "launcher" (the per-user working folder).
start_choice() {
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo examples
  elif [ -d "$1/Data" ]; then
    echo here
  else
    echo launcher
  fi
}

# Its test reads the choice alone.
[ "${BASH_SOURCE[0]}" = "$0" ] || return 0

set -euo pipefail
start_dir=$PWD
cd "$(dirname "$0")/.."
repo=$PWD
bash scripts/install-deps.sh run
cmake --preset app >/dev/null
cmake --build --preset app
choice=$(start_choice "$start_dir")

if [ "$choice" = examples ]; then
  echo
  echo "The example designs, as ventbox computes them (ventbox-cli show examples/*.dat):"
  echo
  build/app/src/cli/ventbox-cli show examples/*.dat
  cat <<MSG

There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the
window was not opened. On a desktop, run "bash scripts/run.sh" in a terminal,
or install the package (see README.md) and start ventbox from the menu.
MSG
  exit 0
fi

if [ "$choice" = here ]; then
  cd "$start_dir"
  exec "$repo/build/app/src/ui/qt/ventbox"
fi

# The launcher as installed: it makes the per-user working folder, fills a new
# Data folder with the examples and starts the window there.
stage=$repo/build/app/stage
cmake --install build/app --prefix "$stage" >/dev/null
case "${XDG_DATA_HOME:-}" in
  /*) data_home=$XDG_DATA_HOME ;;
  *) data_home=$HOME/.local/share ;;
esac
echo "No Data folder in $start_dir: ventbox starts in $data_home/ventbox and keeps its designs in $data_home/ventbox/Data."
exec "$stage/libexec/ventbox/ventbox-launcher"
