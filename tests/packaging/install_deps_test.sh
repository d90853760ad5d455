#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Each set of scripts/install-deps.sh holds what its use needs. The needs are
# found from the builds and the machine, not from the script: the files the
# build of that use found (its CMake cache), the compilers and tools it runs,
# and what the programs load (libraries, the display plugin, the fonts). The
# package of each must be in the set or among what the set depends on.
# Usage: install_deps_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# A fresh machine's programs, not the compiler cache's wrappers in /usr/local.
system_path=/usr/sbin:/usr/bin:/sbin:/bin
tool() { PATH=$system_path command -v "$1" || echo "$1 (not installed)"; }

# A set, everything it depends on, and what every Debian system has.
for set in run package all; do
  { bash "$source/scripts/install-deps.sh" --list "$set"
    dpkg-query -W -f '${Package} ${Essential}\n' | awk '$2 == "yes" {print $1}'
  } | xargs apt-cache depends --recurse --installed --no-recommends --no-suggests --no-conflicts \
      --no-breaks --no-replaces --no-enhances 2>/dev/null | grep -v '^ ' | sort -u >"$scratch/$set"
done
for pair in "run package" "package all"; do
  read -r smaller larger <<<"$pair"
  extra=$(comm -23 <(bash "$source/scripts/install-deps.sh" --list "$smaller" | sort) \
    <(bash "$source/scripts/install-deps.sh" --list "$larger" | sort))
  [ -z "$extra" ] || fail "$larger lacks what $smaller installs: $extra"
done

# needs SET WHY PATH...: each file's package must be in the set; the files
# are looked up all at once at the end.
needs() {
  local set=$1 why=$2 path
  shift 2
  for path in "$@"; do printf '%s\t%s\t%s\n' "$set" "$why" "$path" >>"$scratch/needs"; done
}

# What a configure found that its build needs: the packages' configurations,
# the programs it runs, the libraries its link lines name, and its compiler
# as a fresh machine has it.
found_by() {
  sed -n 's/^[A-Za-z0-9_]*_DIR:PATH=\(\/usr\/.*\)$/\1/p
          /_LIBRARY:\|_INCLUDE_DIR:/!s/^[A-Za-z0-9_]*:\(FILEPATH\|INTERNAL\)=\(\/usr\/.*\)$/\2/p' \
    "$1/CMakeCache.txt" | grep -v '^/usr/local\(/\|$\)' | while IFS= read -r path; do
    [ -e "$path" ] && echo "$path"
  done
  grep -o '/usr/lib/[^ :$]*\.\(so\|a\)\b' "$1/build.ninja" | sort -u
  tool "$(basename "$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$1/CMakeCache.txt")")"
}

# run: the release build of the two programs, and the programs running.
(cd "$source" && cmake --preset app -B "$scratch/app" >"$scratch/app.log" 2>&1) ||
  { cat "$scratch/app.log"; exit 1; }
mapfile -t paths < <(found_by "$scratch/app")
needs run "found by the release build" "${paths[@]}"
needs run "what the release build runs" "$(tool cmake)" "$(tool ninja)"
xcb=$(find /usr/lib -path '*/qt6/plugins/platforms/libqxcb.so' -print -quit)
[ -n "$xcb" ] || fail "run: Qt's X11 plugin is not installed"
programs=("$build/src/ui/qt/ventbox" "$build/src/cli/ventbox-cli" $xcb)
mapfile -t paths < <(ldd "${programs[@]}" | awk '$2 == "=>" && $3 ~ /^\// {print $3}' | sort -u)
needs run "loaded by the programs" "${paths[@]}"
# The stand-ins for the window's own faces, as the layout names them.
while IFS= read -r family; do
  face=$(fc-match -f '%{family}|%{file}' "$family" 2>/dev/null) || face="|"
  [[ ",${face%%|*}," == *",$family,"* ]] || { fail "run: no font $family for the window"; continue; }
  needs run "the window's font $family" "${face#*|}"
done < <(sed -n 's/.*FontSpec k[A-Za-z]*{"[^"]*", "\([^"]*\)".*/\1/p' "$source/src/ui/qt/layout.hpp")

# package: cpack's own checks for the tools it needs, and lintian, with which
# the README checks the package.
for name in $(sed -n 's/^foreach(tool IN ITEMS \(.*\))$/\1/p' "$source/cmake/cpack_project_config.cmake") lintian
do
  needs package "making and checking the package" "$(tool "$name")"
done

# all: what this build found, the compilers of the other presets and of the
# cross build with its emulator, and the tools the tests run.
mapfile -t paths < <(found_by "$build")
needs all "found by the test build" "${paths[@]}"
for compiler in $(sed -n 's/.*"CMAKE_CXX_COMPILER": "\([^"]*\)".*/\1/p' "$source/CMakePresets.json") \
  $(sed -n 's/^set(CMAKE_C\(XX\)\?_COMPILER \(.*\))$/\2/p' "$source"/cmake/*-linux-gnu.cmake) \
  $(sed -n 's/^find_program([A-Z0-9_]* \(.*\))$/\1/p' "$source"/cmake/*-linux-gnu.cmake); do
  needs all "a compiler or emulator of the test command" "$(tool "$compiler")"
done
needs all "the fuzz preset's runtime" "$(PATH=$system_path clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)"
needs all "the cross build's GoogleTest" /usr/src/googletest/CMakeLists.txt
for name in $(sed -n 's/^for tool in \(.*\); do$/\1/p' "$source/tests/packaging/package_test.sh") \
  xmllint xvfb-run dbus-run-session; do
  needs all "run by the tests" "$(tool "$name")"
done
needs all "the accessibility check" /usr/libexec/at-spi-bus-launcher \
  "$(/usr/bin/python3 -c 'import pyatspi; print(pyatspi.__file__)' 2>/dev/null || echo pyatspi)"

# Every name of every file, with or without /usr before it (dpkg knows a
# file by one of them), looked up in one go; then each need is judged.
cut -f3 "$scratch/needs" | sort -u | while IFS= read -r path; do
  printf '%s\t%s\n' "$path" "$(readlink -f "$path" 2>/dev/null || echo "$path")"
done >"$scratch/names"
tr '\t' '\n' <"$scratch/names" | sed -e p -e 's|^/usr/|/|' | grep '^/' | sort -u |
  xargs -d '\n' dpkg -S 2>/dev/null | grep -v '^diversion ' >"$scratch/owners" || true
while IFS= read -r line; do fail "$line"; done < <(
  awk -F'\t' -v scratch="$scratch/" '
    function trimmed(path) { sub(/^\/usr\//, "/", path); return path }
    FILENAME == scratch "names" { real[$1] = $2; next }
    FILENAME == scratch "owners" {
      split($0, parts, ": /")
      n = split(parts[1], names, ", ")
      for (i = 1; i <= n; ++i) { sub(/:[a-z0-9]*$/, "", names[i]); owners["/" parts[2]] = owners["/" parts[2]] " " names[i] }
      next
    }
    FILENAME != scratch "needs" { held[substr(FILENAME, length(scratch) + 1), $0] = 1; next }
    {
      set = $1; why = $2; path = $3; found = ""
      candidates[1] = path; candidates[2] = trimmed(path); candidates[3] = real[path]; candidates[4] = trimmed(real[path])
      for (i = 1; i <= 4 && found == ""; ++i) found = owners[candidates[i]]
      if (found == "") { print set ": no package holds " path " (" why ")"; next }
      n = split(found, names, " "); ok = 0
      for (i = 1; i <= n; ++i) if ((set, names[i]) in held) ok = 1
      if (!ok) { gsub(/^ /, "", found); gsub(/ /, "|", found); print set " lacks " found ", which holds " path " (" why ")" }
    }' "$scratch/names" "$scratch/owners" "$scratch/run" "$scratch/package" "$scratch/all" "$scratch/needs")

[ "$failures" -eq 0 ] && echo "install-deps.sh: run, package and all hold what they need"
exit "$failures"
