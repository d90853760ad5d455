#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that ventbox needs, skipping those already
# installed. `install-deps.sh run` installs only what building the two
# programs in release and running them needs; `install-deps.sh package` adds
# what building and checking the Debian package needs; with no argument it
# installs what every test, benchmark and the package checks need as well.
# `install-deps.sh --list SET` prints the packages of the set, one a line,
# and installs nothing.
set -euo pipefail
list=false
if [ "${1:-}" = --list ]; then list=true; shift; fi

run_packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-wayland
  fonts-ipafont-gothic fonts-ipafont-mincho
)
# dpkg-shlibdeps (dpkg-dev) and file give the package its library
# dependencies; cpack refuses to build it without them.
package_packages=(dpkg-dev file lintian)
test_packages=(
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev googletest
  xvfb xauth locales
  g++-aarch64-linux-gnu qemu-user
  appstream desktop-file-utils man-db devscripts  # devscripts: hardening-check
  python3 libxml2-utils librsvg2-bin
  dbus-daemon at-spi2-core python3-pyatspi  # the accessibility check on its own bus
)

case "${1:-all}" in
  run) packages=("${run_packages[@]}") ;;
  package) packages=("${run_packages[@]}" "${package_packages[@]}") ;;
  all) packages=("${run_packages[@]}" "${package_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: install-deps.sh [--list] [run|package|all]" >&2; exit 2 ;;
esac
if $list; then printf '%s\n' "${packages[@]}"; exit 0; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
