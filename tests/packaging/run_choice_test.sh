#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# scripts/run.sh opens the window wherever there is a display, in the folder it
# was called from when that holds a Data folder, and prints the examples only
# where there is no display.
# Usage: run_choice_test.sh SOURCE_DIR
set -euo pipefail
source "$1/scripts/run.sh"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/with/Data" "$scratch/without" "$scratch/file"
touch "$scratch/file/Data"

failures=0
# case | DISPLAY ("-" unset) | WAYLAND_DISPLAY ("-" unset) | folder | choice
cases=(
  "no display, a Data folder|-|-|with|examples"
  "no display, no Data folder|-|-|without|examples"
  "an empty DISPLAY|||with|examples"
  "an X display, a Data folder|:0|-|with|here"
  "an X display, no Data folder|:0|-|without|launcher"
  "an X display, a file named Data|:0|-|file|launcher"
  "Wayland alone, a Data folder|-|wayland-0|with|here"
  "Wayland alone, no Data folder|-|wayland-0|without|launcher"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name display wayland folder expected <<<"$row"
  unset DISPLAY WAYLAND_DISPLAY
  [ "$display" = - ] || export DISPLAY=$display
  [ "$wayland" = - ] || export WAYLAND_DISPLAY=$wayland
  actual=$(start_choice "$scratch/$folder")
  if [ "$actual" != "$expected" ]; then
    echo "FAIL [$name]: $actual, not $expected"
    failures=$((failures + 1))
  fi
done
[ "$failures" -eq 0 ] && echo "run.sh: all ${#cases[@]} cases choose as expected"
exit "$failures"
