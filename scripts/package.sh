#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of Tessaro in build-package/ (Release, only the
# programs that install), checks it with lintian and prints its path.
# An error lintian finds in the licence or the copyright file fails the
# script; its other findings are printed (build-package/lintian.txt).
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
deb=$(ls "$out"/tessaro_*.deb)
if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" >"$out/lintian.txt" 2>&1 || true
  cat "$out/lintian.txt" >&2
  if grep -Ei '^E: .*(copyright|licen[cs]e|gpl)' "$out/lintian.txt" >&2; then
    echo "package.sh: lintian finds the errors above in the licence or copyright" >&2
    exit 1
  fi
fi
echo "$deb"
