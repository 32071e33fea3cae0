#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages that building, running and testing need,
# when any of them is missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-qpa-plugins qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  libjpeg-dev zlib1g-dev
  fonts-ipafont-gothic
  libgtest-dev libbenchmark-dev libpng-dev libspng-dev libpugixml-dev zlib1g-dev
  tiled desktop-file-utils appstream dpkg-dev pandoc lintian
  clang libclang-rt-14-dev clang-format
  xvfb imagemagick xdotool optipng python3-pil
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  run_as_root=()
  [ "$(id -u)" -eq 0 ] || run_as_root=(sudo)
  "${run_as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
