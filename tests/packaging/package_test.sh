#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from an existing build in a scratch folder, with no
# locale, twice, and checks that both builds are the same bytes, that
# everything lands where a distribution expects it, that the package depends on
# the libraries its programs load, that the programs are hardened, that the
# version and the metadata's licence agree wherever they are written, and runs
# the checkers a distribution runs. Then it checks that every source file
# names its licence, listed through git and without it.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
export LC_ALL=C.UTF-8  # the examples' names are UTF-8 in the listings below
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for tool in lintian appstreamcli desktop-file-validate man hardening-check dpkg-parsechangelog; do
  command -v "$tool" >/dev/null ||
    { echo "FAIL: $tool is missing (bash scripts/install-deps.sh installs it)"; exit 1; }
done

# As in a fresh container: no locale, no SOURCE_DATE_EPOCH. The second build
# goes to another folder and must give the same bytes.
for folder in first second; do
  env -u SOURCE_DATE_EPOCH LC_ALL=C cpack -G DEB --config "$build/CPackConfig.cmake" \
    -B "$scratch/$folder" >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log"; exit 1; }
done
deb=$(ls "$scratch"/first/ventbox_*.deb)
cmp "$deb" "$scratch"/second/ventbox_*.deb || fail "two builds of the package differ"

app=org.ventbox.Ventbox
dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
# The package holds exactly what the install rules install under /usr.
DESTDIR=$scratch/installed cmake --install "$build" --prefix /usr >/dev/null
(cd "$scratch/installed" && find . ! -type d | sed 's|^\.||' | sort) >"$scratch/installed.list"
dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./|/|' | sort >"$scratch/packaged.list"
while IFS= read -r path; do fail "the package lacks $path, which the install rules install"; done \
  < <(comm -23 "$scratch/installed.list" "$scratch/packaged.list")
while IFS= read -r path; do fail "the package holds $path, which the install rules do not install"; done \
  < <(comm -13 "$scratch/installed.list" "$scratch/packaged.list")

# What the install rules must not forget, each from a fact of its own: every
# program and module the build makes from src/, every example design and
# icon as they stand in the source, a manual page for every man/ page and
# every program on PATH, and every file a packaged file names.
contains() { grep -qxF "$1" "$scratch/packaged.list"; }
elf() { while IFS= read -r f; do file -b "$f" | grep -q '^ELF' && echo "$f"; done; }
while IFS= read -r built; do
  grep -q "/$(basename "$built")\$" "$scratch/packaged.list" || fail "the package lacks the built ${built#"$build"/}"
done < <(find "$build" -path "$build/tests" -prune -o -path "$build/bench" -prune -o -path "$build/fuzz" -prune \
           -o -name CMakeFiles -prune -o -name _CPack_Packages -prune -o -type f -perm -u+x -print | elf)
(cd "$root" && find . -type f -exec sha256sum {} + | cut -d' ' -f1 | sort -u) >"$scratch/packaged.sums"
for file in "$source"/examples/*.dat "$source"/packaging/icons/*; do
  grep -qxF "$(sha256sum "$file" | cut -d' ' -f1)" "$scratch/packaged.sums" ||
    fail "the package lacks ${file#"$source"/} as it stands"
done
for page in "$source"/man/*.1.in; do
  contains "/usr/share/man/man1/$(basename "$page" .in).gz" || fail "the package lacks the page ${page#"$source"/}"
done
for program in "$root"/usr/bin/*; do
  contains "/usr/share/man/man1/$(basename "$program").1.gz" || fail "$(basename "$program") has no manual page"
done
desktop=$root/usr/share/applications/$app.desktop
while IFS= read -r exec; do
  [ -x "$root$exec" ] || fail "the menu entry starts $exec, which the package lacks"
done < <(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop" | sort -u)
icon=$(sed -n 's/^Icon=//p' "$desktop")
contains "/usr/share/icons/hicolor/scalable/apps/$icon.svg" || fail "the menu entry's icon $icon is not packaged"
launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$root/usr/share/metainfo/$app.metainfo.xml")
contains "/usr/share/applications/$launchable" || fail "the metadata launches $launchable, which the package lacks"
while IFS= read -r named; do
  contains "/usr/$named" || fail "the program loads $named, which the package lacks"
done < <(grep -aoh 'libexec/ventbox/[A-Za-z0-9._-]*' "$root"/usr/bin/* | sort -u)
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"

# The package depends on the package of every library its programs and
# modules load themselves.
depends=$(dpkg-deb -f "$deb" Depends)
depended=$(sed 's/ *([^)]*)//g; s/ *[,|] */\n/g' <<<"$depends")
# dpkg knows a library by one of its names, with or without /usr before it.
owner_of() {
  local real name
  real=$(readlink -f "$1")
  for name in "$1" "${1#/usr}" "$real" "${real#/usr}"; do
    dpkg -S "$name" 2>/dev/null | head -1 | cut -d: -f1 | grep . && return
  done
  echo "no package"
}
while IFS= read -r program; do
  for library in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
    path=$(ldd "$program" | awk -v l="$library" '$1 == l && $3 ~ /^\// {print $3}')
    [ -n "$path" ] || continue  # the loader itself
    owner=$(owner_of "$path")
    grep -qxF "$owner" <<<"$depended" || fail "Depends lacks $owner for $library: $depends"
  done
done < <(find "$root/usr" -type f | elf)
# Control-flow protection is not asked for: Debian 12's C start files carry no
# such mark, so no program linked against them can have it.
out=$(hardening-check --nocfprotection "$root/usr/bin/ventbox" "$root/usr/bin/ventbox-cli") ||
  fail "hardening-check: $out"
# The programs export no code of their own, so nothing loaded later can bind
# to it, and libexec holds the launcher alone.
for program in ventbox ventbox-cli; do
  exported=$(nm -D --defined-only "$root/usr/bin/$program" | grep -c ventbox || true)
  [ "$exported" -eq 0 ] || fail "$program exports $exported symbols of its own"
done
extra=$(grep '^/usr/libexec/ventbox/.' "$scratch/contents" | grep -vx /usr/libexec/ventbox/ventbox-launcher || true)
[ -z "$extra" ] || fail "libexec holds more than the launcher: $extra"
grep -qx "Exec=/usr/libexec/ventbox/ventbox-launcher" "$root/usr/share/applications/$app.desktop" ||
  fail "the menu entry does not start the launcher"

# Run as root in CI, where lintian refuses to start without this.
lintian --allow-root --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
metainfo=$root/usr/share/metainfo/$app.metainfo.xml
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo"
out=$(desktop-file-validate "$root/usr/share/applications/$app.desktop" 2>&1)
[ -z "$out" ] || fail "desktop-file-validate: $out"
for page in ventbox ventbox-cli; do
  out=$(MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
  [ -z "$out" ] || fail "man $page: $out"
done

# The version is the build's (project() in CMakeLists.txt) wherever it is written.
version=$(dpkg-deb -f "$deb" Version)
zcat "$root/usr/share/doc/ventbox/changelog.gz" >"$scratch/changelog"
man_version() { zcat "$root/usr/share/man/man1/$1.1.gz" | sed -n 's/^\.TH .*"ventbox \([^"]*\)".*/\1/p'; }
versions=(
  "the changelog|$(dpkg-parsechangelog -l "$scratch/changelog" -S Version)"
  "the metainfo's latest release|$(grep -om1 '<release version="[^"]*"' "$metainfo" | cut -d'"' -f2)"
  "ventbox(1)|$(man_version ventbox)"
  "ventbox-cli(1)|$(man_version ventbox-cli)"
  "ventbox-cli --version|$("$root/usr/bin/ventbox-cli" --version | sed 's/^ventbox-cli //')"
  "README.md|$(sed -n 's/.*prints `ventbox-cli \([0-9][^`]*\)`.*/\1/p' "$source/README.md")"
)
for row in "${versions[@]}"; do
  [ "${row#*|}" = "$version" ] || fail "${row%%|*} says version '${row#*|}', the build $version"
done

# The metadata's licence, its SPDX line and its stanza in the copyright file
# name the same licence, and the copyright file gives that licence's text.
copyright=$root/usr/share/doc/ventbox/copyright
metadata_licence=$(sed -n 's|.*<metadata_license>\(.*\)</metadata_license>.*|\1|p' "$metainfo")
spdx_licence=$(sed -n 's|.*SPDX-License-Identifier: \([^ ]*\) .*|\1|p' "$metainfo")
stanza_licence=$(awk -v RS= '/(^|\n)Files:[^\n]*metainfo/' "$copyright" | sed -n 's/^License: //p')
[ "$metadata_licence" = "$spdx_licence" ] && [ "$metadata_licence" = "$stanza_licence" ] ||
  fail "the metainfo's licence is '$metadata_licence', its SPDX line '$spdx_licence', the copyright file '$stanza_licence'"
awk -v RS= -v l="License: $metadata_licence" 'index($0, l "\n") == 1 { found = 1 } END { exit !found }' \
  "$copyright" || fail "the copyright file lacks the text of $metadata_licence"

# Every source file names its licence (scripts/add-spdx.sh adds the line),
# whether git lists the files or, where git cannot read the clone, find does.
while IFS= read -r file; do
  head -n 3 "$source/$file" | grep -q 'SPDX-License-Identifier: [A-Za-z0-9]' ||
    fail "$file has no SPDX-License-Identifier line"
done < <(bash "$source/scripts/add-spdx.sh" --list; GIT_DIR=/nonexistent bash "$source/scripts/add-spdx.sh" --list)

# Without git, add-spdx.sh marks a source file of the tree and leaves git's
# own files and the build folders alone.
tree=$scratch/tree
mkdir -p "$tree/scripts" "$tree/.git/hooks" "$tree/build/dev" "$tree/build-asan"
cp "$source/scripts/add-spdx.sh" "$tree/scripts/"
# file | whether it gets the line
marks=("tool.sh|yes" ".git/hooks/pre-push.sample|no" "build/dev/made.cmake|no" "build-asan/made.sh|no")
for row in "${marks[@]}"; do
  printf '#!/bin/sh\ntrue\n' >"$tree/${row%%|*}"
done
GIT_DIR=/nonexistent bash "$tree/scripts/add-spdx.sh" >/dev/null
for row in "${marks[@]}"; do
  marked=no
  grep -q SPDX-License-Identifier "$tree/${row%%|*}" && marked=yes
  [ "$marked" = "${row#*|}" ] || fail "add-spdx.sh without git: ${row%%|*} marked: $marked"
done

[ "$failures" -eq 0 ] && echo "package: $(wc -l <"$scratch/packaged.list") files, all checks pass"
exit "$failures"
