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
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$scratch/contents"

app=org.ventbox.Ventbox
expected=(
  /usr/bin/ventbox
  /usr/bin/ventbox-cli
  /usr/libexec/ventbox/ventbox-launcher
  /usr/share/man/man1/ventbox.1.gz
  /usr/share/man/man1/ventbox-cli.1.gz
  /usr/share/applications/$app.desktop
  /usr/share/metainfo/$app.metainfo.xml
  /usr/share/icons/hicolor/scalable/apps/$app.svg
  /usr/share/doc/ventbox/copyright
  /usr/share/doc/ventbox/changelog.gz
  /usr/share/bash-completion/completions/ventbox-cli
)
for size in 16 32 48 64 128 256; do
  expected+=("/usr/share/icons/hicolor/${size}x$size/apps/$app.png")
done
for design in "$source"/examples/*.dat; do
  expected+=("/usr/share/ventbox/examples/$(basename "$design")")
done
for path in "${expected[@]}"; do
  grep -qxF "$path" "$scratch/contents" || fail "the package lacks $path"
done
grep -q '^/usr/bin/ventbox-launcher$' "$scratch/contents" && fail "the launcher is on PATH"
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "the package does not recommend qt6-wayland"

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libqt6widgets6; do
  grep -qE "(^|, )$library( |,|\$)" <<<"$depends" || fail "Depends lacks $library: $depends"
done
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

[ "$failures" -eq 0 ] && echo "package: $(wc -l <"$scratch/contents") entries, all checks pass"
exit "$failures"
