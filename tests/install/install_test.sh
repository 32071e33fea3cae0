#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks of what installs, run by ctest with the build directory:
#
#   install_test.sh files BUILD     the installed menu entry, AppStream file,
#                                   icon and manual page pass their validators
#   install_test.sh package BUILD   the Debian package holds them and the
#                                   program, and depends on the libraries
#   install_test.sh window BUILD    the installed program started with a
#                                   picture file on a virtual X server shows
#                                   that picture as the sheet
#
# Exit status 77 (skipped) when a tool the check needs is missing.
set -eu
mode=$1 build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
need() { for t in "$@"; do command -v "$t" >/dev/null || { echo "skipped: $t is missing"; exit 77; }; done; }

id=org.example.tessaro
wanted="bin/tessaro share/applications/$id.desktop share/metainfo/$id.metainfo.xml
share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png share/man/man1/tessaro.1.gz
bin/tessaro-cli share/man/man1/tessaro-cli.1.gz share/tessaro/translations/tessaro_en.qm
share/man/ja/man1/tessaro.1.gz share/doc/tessaro/pugixml-copyright
share/doc/tessaro/copyright share/doc/tessaro/manual.html"

case $mode in
files)
    need desktop-file-validate appstreamcli man
    cmake --install "$build" --prefix "$work/usr" >/dev/null
    for f in $wanted; do [ -f "$work/usr/$f" ] || fail "$f is not installed"; done
    desktop-file-validate "$work/usr/share/applications/$id.desktop" || fail "desktop entry"
    appstreamcli validate --no-net --pedantic "$work/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo"
    # The entry names the icon that installs and the program that installs.
    grep -qx "Icon=$id" "$work/usr/share/applications/$id.desktop" || fail "icon name"
    grep -q "^Exec=tessaro " "$work/usr/share/applications/$id.desktop" || fail "Exec line"
    # The installed program finds its installed English translation.
    env -u DISPLAY -u WAYLAND_DISPLAY "$work/usr/bin/tessaro" --lang en --help | grep -q "^Usage: " || fail "English help"
    # The manual pages render without a single roff warning.
    for page in man1/tessaro man1/tessaro-cli ja/man1/tessaro; do
        warnings=$(MANWIDTH=80 man --warnings=all -l "$work/usr/share/man/$page.1.gz" 2>&1 >/dev/null)
        [ -z "$warnings" ] || fail "man page $page: $warnings"
    done
    ;;
package)
    need cpack dpkg-deb dpkg-shlibdeps
    (cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null) || fail "cpack"
    deb=$(ls "$work"/out/tessaro_*.deb) || fail "no package"
    dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./usr/||' >"$work/list"
    for f in $wanted; do grep -qx "$f" "$work/list" || fail "$f is not in the package"; done
    # The package's version is the one the programs print.
    version=$(dpkg-deb -f "$deb" Version)
    [ "tessaro-cli $version" = "$("$build/tessaro-cli" --version)" ] || fail "package version $version"
    [ "tessaro $version" = "$(env -u DISPLAY "$build/tessaro" --version)" ] || fail "package version $version"
    depends=$(dpkg-deb -f "$deb" Depends)
    for lib in libqt6widgets6 libjpeg62-turbo libspng0 fonts-ipafont-gothic; do
        echo "$depends" | grep -q "$lib" || fail "the package does not depend on $lib: $depends"
    done
    ;;
window)
    need xvfb-run xdotool import convert
    cmake --install "$build" --prefix "$work/usr" >/dev/null
    # A sheet of one colour: the sheet view shows it where no grid line lies.
    convert -size 480x256 xc:'rgb(51,102,153)' BMP3:"$work/sheet.bmp"
    cat >"$work/run.sh" <<'INNER'
set -eu
work=$1
cd "$work"
XDG_CONFIG_HOME="$work/config" XDG_STATE_HOME="$work/state" QT_QPA_PLATFORM=xcb "$work/usr/bin/tessaro" sheet.bmp &
editor=$!
trap 'kill $editor 2>/dev/null || true' EXIT
# The caption names the sheet file once it has loaded.
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^Tessaro $work/sheet.bmp\$" | head -n 1)
[ -n "$window" ] || { echo "FAIL: no window showing the sheet's name" >&2; exit 1; }
sleep 0.5
import -window "$window" "$work/shot.png"
eval "$(xdotool getwindowgeometry --shell "$window")"
# Inside the window the client area's 421 rows lie below the menu bar;
# chip pixel (8, 8) of the sheet lies 2 + 8 rows below its top.
x=$((4 + 8)) y=$((HEIGHT - 421 + 2 + 8))
got=$(convert "$work/shot.png" -format "%[pixel:p{$x,$y}]" info:)
case $got in
    "srgb(51,102,153)") ;;
    *) echo "FAIL: the sheet view shows $got at ($x, $y)" >&2; exit 1 ;;
esac
INNER
    xvfb-run -a -s "-screen 0 1024x768x24" sh "$work/run.sh" "$work"
    ;;
*) fail "unknown check $mode" ;;
esac
echo "ok: $mode"
