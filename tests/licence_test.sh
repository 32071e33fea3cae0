#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails when a tracked source, script or build file lacks the licence line
# at its top.
#
# Which files are sources: C and C++ (.c .cpp .h), shell (.sh and every file
# that starts with "#!"), Python (.py), CMake (CMakeLists.txt, .cmake), the
# Windows resource script and manifest (.rc .manifest), the desktop entry,
# the AppStream file (.metainfo.xml), the man pages (.1), .clang-format and
# .gitignore. Pictures, scenarios, settings and palette fixtures, test data
# (tests/data, fuzz seeds), Markdown, the translations that lupdate rewrites
# (.ts) and the icon picture (.svg) are data or documents, not sources.
#
# "At the top" is the first line, or the second after a "#!" line, an XML
# declaration or a troff preprocessor line ('\").
set -eu
source_dir=${1:-$(dirname "$0")/..}
cd "$source_dir"
line='SPDX-License-Identifier: GPL-3.0-or-later'

if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  list() { git ls-files; }
else
  list() { find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'; }
fi

is_source() {
  case $1 in
    tests/data/*|tests/fuzz/seeds/*) return 1 ;;
    *.c|*.cpp|*.h|*.sh|*.py|*.cmake|*/CMakeLists.txt|CMakeLists.txt) return 0 ;;
    *.rc|*.manifest|*.desktop|*.metainfo.xml|*.1) return 0 ;;
    .clang-format|.gitignore|*/.gitignore) return 0 ;;
  esac
  [ "$(head -c 2 "$1")" = '#!' ]
}

has_line_at_top() {
  first=$(sed -n 1p "$1")
  case $first in
    *"$line"*) return 0 ;;
    '#!'*|'<?xml'*|"'\\\""*) sed -n 2p "$1" | grep -qF "$line" ;;
    *) return 1 ;;
  esac
}

missing=0
checked=0
list > "${TMPDIR:-/tmp}/licence_test.$$"
trap 'rm -f "${TMPDIR:-/tmp}/licence_test.$$"' EXIT
while IFS= read -r file; do
  [ -f "$file" ] || continue
  is_source "$file" || continue
  checked=$((checked + 1))
  if ! has_line_at_top "$file"; then
    echo "no licence line at the top: $file"
    missing=$((missing + 1))
  fi
done < "${TMPDIR:-/tmp}/licence_test.$$"

if [ "$checked" -eq 0 ]; then
  echo "no source files found under $source_dir"
  exit 1
fi
if [ "$missing" -ne 0 ]; then
  echo "$missing of $checked source files lack '$line'"
  exit 1
fi
echo "all $checked source files carry '$line'"
