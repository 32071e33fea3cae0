#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the editor under a virtual X server, photographs the screen with
# ImageMagick's import and crops the picture to the editor's window.
#
#   scripts/screenshot.sh [EXE] [OUT.png] [MENU-LETTER]
#
# EXE defaults to build/tessaro, OUT to docs/screenshot.png. With a menu
# letter (F, E, D, M or H) that menu is opened first and the whole screen is
# kept, so that a menu reaching past the window shows too.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "${1:-$root/build/tessaro}")
out=$(realpath -m "${2:-$root/docs/screenshot.png}")
menu=${3:-}
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshot.sh: $tool is missing" >&2; exit 1; }
done
[ -x "$exe" ] || { echo "screenshot.sh: no editor at $exe (build it first)" >&2; exit 1; }

# A fresh working directory: no tsr.def presets the views.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat >"$work/shoot.sh" <<'INNER'
set -eu
exe=$1 out=$2 menu=$3 work=$4
cd "$work"
QT_QPA_PLATFORM=xcb "$exe" &
editor=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Tessaro' | head -n 1)
sleep 1
if [ -n "$menu" ]; then
    # Without a window manager the window gets the keyboard by a click on an
    # empty spot of it (right of the edit area).
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 700)) $((Y + 200)) click 1
    sleep 0.3
    xdotool key "alt+$menu"
    sleep 1
fi
import -window root "$work/screen.png"
if [ -z "$menu" ]; then
    eval "$(xdotool getwindowgeometry --shell "$window")"
    convert "$work/screen.png" -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
else
    cp "$work/screen.png" "$out"
fi
kill "$editor"
INNER
xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/shoot.sh" "$exe" "$out" "$menu" "$work"
echo "wrote $out"
