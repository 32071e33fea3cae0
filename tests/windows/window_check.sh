#!/usr/bin/env bash
# tessaro.exe under Wine on a virtual X server: a PNG named on its command
# line (a non-ASCII name in a non-ASCII folder) shows as the sheet, pixel for
# pixel; a pen stroke and the overwrite save (File menu, S) write a file that
# reads back as what the sheet view then shows.
#
#   tests/windows/window_check.sh TESSARO.EXE
#
# WINEPREFIX is the caller's. Exit status 0 when both hold.
set -euo pipefail
exe="$(realpath "$1")"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir "$work/シート"
sheet="$work/シート/地図 1.png"
python3 "$here/sheet_pixels.py" make "$sheet"
cp "$sheet" "$work/original.png"

cat >"$work/steps.sh" <<'INNER'
set -euo pipefail
exe=$1 here=$2 work=$3 sheet=$4
cd "$work"
wine "$exe" "Z:${sheet//\//\\}" >"$work/wine.log" 2>&1 &
editor=$!
stop() { kill "$editor" 2>/dev/null || true; wineserver -k 2>/dev/null || true; }
trap stop EXIT
window=$(timeout 120 xdotool search --sync --onlyvisible --name 'Tessaro|地図' | head -n 1)
sleep 3
import -window root "$work/opened.png"
if ! at=$(python3 "$here/sheet_pixels.py" shown "$work/opened.png" "$sheet"); then
  cp "$work/opened.png" /tmp/tessaro-window-check.png
  echo "window check: the sheet is not shown (screen in /tmp/tessaro-window-check.png)" >&2
  exit 1
fi
read -r x y <<<"$at"
# The edit area lies 500, 70 right of and below the sheet view and shows the
# current chip ten times as large: a click there is one pen dot.
xdotool mousemove $((x + 580)) $((y + 150)) click 1
sleep 1
xdotool key --window "$window" alt+f
sleep 1
xdotool key s
sleep 3
import -window root "$work/saved.png"
python3 "$here/sheet_pixels.py" saved "$work/saved.png" "$sheet" "$work/original.png" "$x" "$y" || {
  cp "$work/saved.png" /tmp/tessaro-window-check.png
  echo "window check: screen in /tmp/tessaro-window-check.png" >&2
  exit 1
}
INNER
xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/steps.sh" "$exe" "$here" "$work" "$sheet"
echo "window check: the sheet shows and saves"
