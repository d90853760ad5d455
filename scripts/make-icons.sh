#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the scalable icon into the fixed sizes the menus of most desktops
# look for; the PNGs are committed so that building needs no SVG renderer.
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
command -v rsvg-convert >/dev/null || apt-get install -y -qq --no-install-recommends librsvg2-bin
for size in 16 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" org.ventbox.Ventbox.svg -o "org.ventbox.Ventbox-$size.png"
done
