#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the pictures of the README and the manual from scratch: the
# scenario docs/manual/sheet.scn draws a sheet with tessaro-script, then the
# editor opens it on a virtual X server, xdotool opens its menus and windows
# and ImageMagick photographs them.
#
#   scripts/screenshots.sh [BUILD-DIR]
#
# BUILD-DIR (default build/) holds tessaro and tessaro-script. Writes
# docs/screenshot.png (Japanese), docs/screenshot-en.png (English) and
# docs/manual/*.png. A change to the window shows as changed pictures in
# the review; look at them before committing.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$root/build}")
for tool in xvfb-run xdotool import convert; do
    command -v "$tool" >/dev/null || { echo "screenshots.sh: $tool is missing" >&2; exit 1; }
done
for program in tessaro tessaro-script; do
    [ -x "$build/$program" ] || { echo "screenshots.sh: no $build/$program (build it first)" >&2; exit 1; }
done

# A fresh working directory, and settings and recovery folders of its own:
# nothing the user keeps changes a picture.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/shots" "$work/config" "$work/state"
export XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state"

(cd "$work" && "$build/tessaro-script" "$root/docs/manual/sheet.scn" >"$work/scenario.log") || {
    cat "$work/scenario.log" >&2
    echo "screenshots.sh: the scenario failed" >&2
    exit 1
}

cat >"$work/shoot.sh" <<'INNER'
set -eu
exe=$1 work=$2
cd "$work"
shots=$work/shots
editor=

start() { # LANG: the editor with the sheet, and its window
    # As at a first start: nothing chosen in an earlier session shows.
    rm -rf "$XDG_CONFIG_HOME/tessaro"
    QT_QPA_PLATFORM=xcb "$exe" --lang "$1" sheet.png &
    editor=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Tessaro .*sheet.png\$" | head -n 1)
    [ -n "$window" ] || { echo "screenshots.sh: the editor showed no window" >&2; exit 1; }
    xdotool windowmove "$window" 0 0
    sleep 1
    eval "$(xdotool getwindowgeometry --shell "$window")"
    # The client area's 421 rows lie below the menu bar.
    top=$((Y + HEIGHT - 421))
    left=$X
    chip 3 0  # the tree, in the edit area
}
stop() { kill "$editor"; wait "$editor" 2>/dev/null || true; }
focus() { # without a window manager a click on an empty spot gives the keyboard
    xdotool mousemove $((left + 730)) $((top + 250)) click 1
    sleep 0.3
}
shoot() { # NAME: the screen, cut to what is on it
    sleep 0.8
    import -window root "$work/screen.png"
    convert "$work/screen.png" -trim +repage "$shots/$1.png"
}
window_named() { # TITLE
    timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1
}
chip() { # COL ROW: chooses the chip on the sheet view
    xdotool mousemove $((left + 4 + $1 * 16 + 8)) $((top + 2 + $2 * 16 + 8)) click 1
    sleep 0.2
}

start ja
shoot window-ja
stop

start en
shoot window-en
for menu in f:menu-file e:menu-edit s:menu-settings t:menu-transform h:menu-help; do
    focus
    xdotool key "alt+${menu%%:*}"
    shoot "${menu#*:}"
    xdotool key Escape
    sleep 0.3
done
focus
xdotool key alt+s x
shoot menu-extras
xdotool key Escape Escape
sleep 0.3

# The tile preview beside the window: the tree repeated, at 3x.
focus
xdotool key alt+s v
tile=$(window_named '^Tile Preview$')
[ -n "$tile" ] || { echo "screenshots.sh: no tile preview" >&2; exit 1; }
xdotool windowmove "$tile" $((WIDTH + 16)) 0
sleep 0.5
xdotool windowfocus --sync "$tile" key alt+v 3
shoot tile-preview
xdotool windowunmap "$tile"

# The try-out board below the window at 2x, with a small map laid.
focus
xdotool key alt+s b
board=$(window_named '^Try-Out Board$')
[ -n "$board" ] || { echo "screenshots.sh: no try-out board" >&2; exit 1; }
xdotool windowmove "$board" 0 $((HEIGHT + 8))
sleep 0.5
xdotool windowfocus --sync "$board" key alt+b 2
sleep 0.5
eval "$(xdotool getwindowgeometry --shell --prefix B "$board")"
board_top=$((BY + BHEIGHT - 480))
lay() { # COL ROW CELL...: stamps that chip into the board cells "c,r"
    chip "$1" "$2"
    shift 2
    for cell in "$@"; do
        xdotool mousemove $((BX + ${cell%,*} * 32 + 16)) $((board_top + ${cell#*,} * 32 + 16)) click 1
    done
}
grass=
for r in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14; do
    for c in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19; do grass="$grass $c,$r"; done
done
# shellcheck disable=SC2086
lay 0 0 $grass
lay 3 0 1,1 2,1 4,2 15,1 16,2 17,1 18,3 1,12 3,13 17,12 18,13
lay 1 0 11,5 12,5 13,5 11,6 12,6 13,6 14,6 12,7 13,7 14,7
lay 7 0 7,0 7,1 7,2 7,3 7,4 7,5 7,6 7,7 7,8 7,9 7,10 7,11 7,12 7,13 7,14
lay 6 0 3,7 4,7 5,7
lay 4 0 3,8 4,8 5,8 3,9 5,9
lay 5 0 9,3 10,10 14,12 2,5
shoot board
stop
INNER
xvfb-run -a -s "-screen 0 1400x1100x24" sh "$work/shoot.sh" "$build/tessaro" "$work"

mkdir -p "$root/docs/manual"
cp "$work/shots/window-ja.png" "$root/docs/screenshot.png"
cp "$work/shots/window-en.png" "$root/docs/screenshot-en.png"
for shot in menu-file menu-edit menu-settings menu-extras menu-transform menu-help tile-preview board; do
    cp "$work/shots/$shot.png" "$root/docs/manual/$shot.png"
done
echo "wrote docs/screenshot.png, docs/screenshot-en.png and docs/manual/*.png"
