#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Tolvane developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the PNG icons from the SVG. The PNGs are kept in the repository so
# that building Tolvane needs no SVG renderer; run this again after changing
# the SVG (it needs rsvg-convert from librsvg2-bin).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
id=io.github.tolvane.Tolvane
for size in 48 64 128 256; do
  mkdir -p "$here/icons/$size"
  rsvg-convert -w "$size" -h "$size" "$here/icons/$id.svg" -o "$here/icons/$size/$id.png"
done
