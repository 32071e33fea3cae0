#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs lupdate over the code into copies of translations/*.ts and fails on
# any entry left unfinished (a new or changed text) or no longer in the code.
set -eu
lupdate=$1
source_dir=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$source_dir"/translations/*.ts "$work"/
LUPDATE=$lupdate "$source_dir"/scripts/update-translations.sh "$work"/*.ts
status=0
for ts in "$work"/*.ts; do
  left=$(grep -c 'type="\(unfinished\|vanished\|obsolete\)"' "$ts" || true)
  if [ "$left" -ne 0 ]; then
    echo "$(basename "$ts"): $left entries unfinished or no longer in the code:"
    grep -A1 '<source>' "$ts" | grep -B1 'type="\(unfinished\|vanished\|obsolete\)"' | grep '<source>' | head -20
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "every marked text is translated"
exit $status
