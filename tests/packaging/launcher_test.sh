#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The launcher fills a new or empty Data folder with the example designs and
# leaves a folder that holds anything alone, starting the program in the
# per-user working folder.
# Usage: launcher_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
# The program stands in as a stub that tells where it was started.
printf '#!/bin/sh\npwd > "$XDG_DATA_HOME/started_in"\n' > "$prefix/bin/ventbox"
chmod +x "$prefix/bin/ventbox"
launcher=$prefix/libexec/ventbox/ventbox-launcher
examples=$(cd "$source/examples" && echo $(ls -- *.dat | sort))

failures=0
fail() { echo "FAIL [$1]: $2"; failures=$((failures + 1)); }

# case | what Data holds before | files expected after
cases=(
  "no Data folder|none|$examples"
  "empty Data folder|empty|$examples"
  "a design of the user's under an example's name|own|FW208Kolvex.dat"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name before expected <<<"$row"
  home=$scratch/$before
  data=$home/ventbox/Data
  case $before in
    empty) mkdir -p "$data" ;;
    own) mkdir -p "$data" && echo "mine" > "$data/FW208Kolvex.dat" ;;
  esac
  XDG_DATA_HOME=$home "$launcher"
  [ "$(cat "$home/started_in")" = "$home/ventbox" ] || fail "$name" "started in $(cat "$home/started_in")"
  actual=$(cd "$data" && echo $(ls -- * | sort))
  [ "$actual" = "$expected" ] || fail "$name" "Data holds: $actual"
  if [ "$before" = own ]; then
    [ "$(cat "$data/FW208Kolvex.dat")" = mine ] || fail "$name" "the user's file was replaced"
  else
    for design in $expected; do
      cmp -s "$source/examples/$design" "$data/$design" || fail "$name" "$design differs from the example"
    done
  fi
done
[ "$failures" -eq 0 ] && echo "launcher: all cases pass"
exit "$failures"
