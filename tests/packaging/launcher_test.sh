#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The menu entry starts the launcher, which fills a new or empty Data folder
# with the example designs and leaves a folder that holds anything alone,
# starting the program in the per-user working folder.
# Usage: launcher_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
export LC_ALL=C.UTF-8  # the examples' names are UTF-8 whatever the caller's locale
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

prefix=$scratch/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null
# The program stands in as a stub that tells where, and with what, it was started.
printf '#!/bin/sh\npwd > "%s/started_in"\necho "$*" > "%s/started_with"\n' "$scratch" "$scratch" \
  > "$prefix/bin/ventbox"
chmod +x "$prefix/bin/ventbox"
examples=$(cd "$source/examples" && echo $(ls -- *.dat | sort))
# Every case starts what the menu entry starts.
desktop=$prefix/share/applications/org.ventbox.Ventbox.desktop
entry=$(sed -n '0,/^Exec=/s/^Exec=//p' "$desktop")
# The desktop action that opens the response graph beside the window.
graph_entry=$(sed -n '/^\[Desktop Action graph\]/,$s/^Exec=//p' "$desktop")

failures=0
fail() { echo "FAIL [$1]: $2"; failures=$((failures + 1)); }
[ "$entry" = "$prefix/libexec/ventbox/ventbox-launcher" ] || fail "menu entry" "Exec=$entry"
[ "$graph_entry" = "$entry --graph" ] || fail "graph action" "Exec=$graph_entry"

# case | what Data holds before | XDG_DATA_HOME | files expected after
cases=(
  "no Data folder|none|set|$examples"
  "empty Data folder|empty|set|$examples"
  "a design of the user's under an example's name|own|set|FW208Kolvex.dat"
  "an empty HOME without XDG_DATA_HOME|none|unset|$examples"
  "a relative XDG_DATA_HOME, which does not count|none|relative|$examples"
)
for row in "${cases[@]}"; do
  IFS='|' read -r name before xdg expected <<<"$row"
  HOME=$(mktemp -d "$scratch/home.XXXX")
  case $xdg in
    set) data_home=$HOME/data; export XDG_DATA_HOME=$data_home ;;
    unset) data_home=$HOME/.local/share; unset XDG_DATA_HOME ;;
    relative) data_home=$HOME/.local/share; export XDG_DATA_HOME=data ;;
  esac
  data=$data_home/ventbox/Data
  case $before in
    empty) mkdir -p "$data" ;;
    own) mkdir -p "$data" && echo "mine" > "$data/FW208Kolvex.dat" ;;
  esac
  rm -f "$scratch/started_in"
  (cd "$HOME" && $entry)
  started_in=$(cat "$scratch/started_in" 2>/dev/null || echo "nowhere")
  [ "$started_in" = "$data_home/ventbox" ] || fail "$name" "started in $started_in"
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
(cd "$HOME" && $graph_entry)
[ "$(cat "$scratch/started_with")" = "--graph" ] || fail "graph action" "the program was not asked for the graph"
[ "$failures" -eq 0 ] && echo "launcher: all cases pass"
exit "$failures"
