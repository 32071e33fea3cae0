#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Formats our C++ sources with the tree's .clang-format.
#   scripts/format.sh          format every source file in place
#   scripts/format.sh --check  change nothing; list the files that are not
#                              formatted and exit 1 when there is any
set -eu
cd "$(dirname "$0")/.."

case "${1:-}" in
    "") check=no ;;
    --check) check=yes ;;
    *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac

if ! command -v clang-format >/dev/null 2>&1; then
    echo "clang-format is missing (scripts/install-deps.sh installs it)" >&2
    exit 2
fi

# Tracked sources only: build trees and the test pictures are not ours to format.
files=$(git ls-files -- '*.cpp' '*.h')

if [ "$check" = no ]; then
    printf '%s\n' "$files" | xargs clang-format -i --style=file
    exit 0
fi

status=0
for f in $files; do
    if ! clang-format --style=file --dry-run -Werror "$f" >/dev/null 2>&1; then
        echo "$f"
        status=1
    fi
done
exit $status
