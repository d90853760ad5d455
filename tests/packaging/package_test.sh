#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from an existing build in a scratch folder, checks
# that everything lands where a distribution expects it, runs the checkers a
# distribution runs where they are installed, and checks that every source
# file names its licence.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/ventbox_*.deb)
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
if command -v lintian >/dev/null; then
  # Run as root in CI, where lintian refuses to start without this.
  lintian --allow-root --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$scratch/root/usr/share/metainfo/$app.metainfo.xml" ||
    fail "appstreamcli rejects the metainfo"
fi
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$scratch/root/usr/share/applications/$app.desktop" 2>&1)
  [ -z "$out" ] || fail "desktop-file-validate: $out"
fi
if command -v man >/dev/null; then
  for page in ventbox ventbox-cli; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l \
          "$scratch/root/usr/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "man $page: $out"
  done
fi

# Every source file carries its licence line (scripts/add-spdx.sh adds it).
while IFS= read -r file; do
  head -n 3 "$source/$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' ||
    fail "$file has no SPDX-License-Identifier line"
done < <(bash "$source/scripts/add-spdx.sh" --list)

[ "$failures" -eq 0 ] && echo "package: $(wc -l <"$scratch/contents") entries, all checks pass"
exit "$failures"
