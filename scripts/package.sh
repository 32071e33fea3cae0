#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of Tessaro in build-package/ (Release, only the
# programs that install) and prints its path.
#
#   scripts/package.sh
#
# Install it with: apt-get install ./build-package/tessaro_*.deb
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/build-package"
"$root/scripts/install-deps.sh"
launcher=$(command -v ccache || true)
cmake -S "$root" -B "$out" -DCMAKE_BUILD_TYPE=Release ${launcher:+-DCMAKE_CXX_COMPILER_LAUNCHER=$launcher} -DTESSARO_BUILD_TESTS=OFF -DTESSARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" -j2
(cd "$out" && cpack -G DEB >/dev/null)
ls "$out"/tessaro_*.deb
