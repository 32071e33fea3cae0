#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# tessaro.exe under Wine on a virtual X server: a PNG named on its command
# line (a non-ASCII name in a non-ASCII folder) shows as the sheet, pixel for
# pixel, and, given the Linux program, as the Linux window's sheet view shows
# it; a pen stroke and the overwrite save (File menu, S) write a file that
# reads back as what the sheet view then shows.
#
#   tests/windows/window_check.sh TESSARO.EXE [LINUX_TESSARO]
#
# WINEPREFIX is the caller's. The last screenshot is left in
# $TESSARO_WINDOW_SHOT when that is set. Exit status 0 when all hold.
set -euo pipefail
exe="$(realpath "$1")"
linux="${2:+$(realpath "$2")}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# Debian's python3-pil may not be in the python3 first on the PATH.
python=""
for candidate in python3 /usr/bin/python3; do
  if "$candidate" -c 'import PIL' 2>/dev/null; then
    python="$(command -v "$candidate")"
    break
  fi
done
[ -n "$python" ] || { echo "window check: no python3 with PIL (Debian: python3-pil)" >&2; exit 1; }
mkdir "$work/シート" "$work/linux"
sheet="$work/シート/地図 1.png"
"$python" "$here/sheet_pixels.py" make "$sheet"
cp "$sheet" "$work/original.png"
cp "$sheet" "$work/linux/sheet.png"

cat >"$work/steps.sh" <<'INNER'
set -euo pipefail
exe=$1 linux=$2 here=$3 work=$4 sheet=$5 python=$6
pixels() { "$python" "$here/sheet_pixels.py" "$@"; }
failed() { # SCREENSHOT MESSAGE
  cp "$1" "${TESSARO_WINDOW_SHOT:-/tmp/tessaro-window-check.png}"
  echo "window check: $2 (screen in ${TESSARO_WINDOW_SHOT:-/tmp/tessaro-window-check.png})" >&2
  exit 1
}
editor=""
stop() { [ -z "$editor" ] || kill "$editor" 2>/dev/null || true; wineserver -k 2>/dev/null || true; }
trap stop EXIT

# The Linux window's sheet view, from a copy of the sheet in a folder of its
# own (with the settings and recovery copies there too).
if [ -n "$linux" ]; then
  (cd "$work/linux" && XDG_STATE_HOME="$work/linux" XDG_CONFIG_HOME="$work/linux" exec "$linux" "$work/linux/sheet.png") >"$work/linux.log" 2>&1 &
  editor=$!
  timeout 60 xdotool search --sync --onlyvisible --name 'Tessaro' >/dev/null
  sleep 2
  import -window root "$work/linux.png"
  kill "$editor"
  wait "$editor" 2>/dev/null || true
  editor=""
  linux_at=$(pixels shown "$work/linux.png" "$work/linux/sheet.png") || failed "$work/linux.png" "the Linux window does not show the sheet"
fi

cd "$work"
wine "$exe" "Z:${sheet//\//\\}" >"$work/wine.log" 2>&1 &
editor=$!
window=$(timeout 120 xdotool search --sync --onlyvisible --name 'Tessaro|地図' | head -n 1)
sleep 3
import -window root "$work/opened.png"
at=$(pixels shown "$work/opened.png" "$sheet") || failed "$work/opened.png" "the sheet is not shown"
read -r x y <<<"$at"
if [ -n "$linux" ]; then
  # shellcheck disable=SC2086 # two numbers
  pixels same "$work/linux.png" $linux_at "$work/opened.png" "$x" "$y" ||
    failed "$work/opened.png" "the sheet view is not the Linux window's"
fi
# The edit area lies 500, 70 right of and below the sheet view and shows the
# current chip magnified (5 times at first): a click there is one pen dot.
xdotool mousemove $((x + 540)) $((y + 110)) click 1
sleep 1
xdotool key --window "$window" alt+f
sleep 1
xdotool key s
sleep 3
import -window root "$work/saved.png"
pixels saved "$work/saved.png" "$sheet" "$work/original.png" "$x" "$y" || failed "$work/saved.png" "the save is not what is shown"
[ -z "${TESSARO_WINDOW_SHOT:-}" ] || cp "$work/saved.png" "$TESSARO_WINDOW_SHOT"
INNER
# Without a window manager xdotool warns of the X server's focus at every key.
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/steps.sh" "$exe" "$linux" "$here" "$work" "$sheet" "$python" \
  2> >(grep -v 'XGetInputFocus returned' >&2)
echo "window check: the sheet shows${linux:+ as on Linux} and saves"
