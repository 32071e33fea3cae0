#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the scalable icon into the PNG sizes of the hicolor icon theme.
# Needs rsvg-convert (Debian: librsvg2-bin). The PNGs are committed, so
# building Tessaro does not need it. The file name is the application id,
# which the desktop entry names as its icon.
set -eu
cd "$(dirname "$0")/hicolor"
name=org.example.tessaro
for size in 16 32 48 64 128 256; do
    mkdir -p "${size}x${size}/apps"
    rsvg-convert -w "$size" -h "$size" "scalable/apps/$name.svg" -o "${size}x${size}/apps/$name.png"
done
