#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Window start-up and resident memory of Tessaro and mtPaint, side by side in
# one run under Xvfb: the time from starting the program to its first window
# painted (mapped, drawn into, then unchanged for 0.4 s; bench/first_paint.c
# watches it through the X DAMAGE extension), and the resident size (VmRSS)
# of the process a second later, when it is idle with its window shown.
# Medians of RUNS runs (default 7). Both programs start with a fresh home
# directory, so that neither reads a user's settings.
#
#     bench/startup.sh [path/to/tessaro]
#
# Without a path it builds the editor in build-release (Release).
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${RUNS:-7}

need=()
for tool in Xvfb:xvfb mtpaint:mtpaint xdpyinfo:x11-utils cc:gcc; do
    command -v "${tool%%:*}" >/dev/null || need+=("${tool##*:}")
done
for header in X11/Xlib.h:libx11-dev X11/extensions/Xdamage.h:libxdamage-dev; do
    [ -e "/usr/include/${header%%:*}" ] || need+=("${header##*:}")
done
if [ ${#need[@]} -gt 0 ]; then
    sudo=(); [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${need[@]}"
fi

tessaro=${1:-}
if [ -z "$tessaro" ]; then
    cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build build-release -j2 --target tessaro >/dev/null
    tessaro=build-release/tessaro
fi
tessaro=$(realpath "$tessaro")

scratch=$(mktemp -d)
cc -O2 -o "$scratch/first_paint" bench/first_paint.c -lXdamage -lX11
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$scratch"' EXIT
for _ in $(seq 50); do xdpyinfo -display "$display" >/dev/null 2>&1 && break; sleep 0.1; done

# One run: prints "milliseconds KiB".
measure() {
    local home=$scratch/home-$RANDOM
    mkdir -p "$home"
    local ms pid
    # Polling for the window (xdotool search --sync) would round every time
    # up to its half-second steps.
    read -r ms pid < <(cd "$home" && env HOME="$home" XDG_STATE_HOME="$home/state" \
        XDG_CONFIG_HOME="$home/config" DISPLAY="$display" "$scratch/first_paint" "$@")
    sleep 1
    local rss
    rss=$(awk '/^VmRSS:/ {print $2}' "/proc/$pid/status")
    kill "$pid"
    for _ in $(seq 40); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    echo "$ms $rss"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }

report() {
    local name=$1; shift
    local times=() sizes=()
    measure "$@" >/dev/null  # a warm-up: libraries and fonts in the page cache
    for _ in $(seq "$runs"); do
        read -r t s < <(measure "$@")
        times+=("$t"); sizes+=("$s")
    done
    local t s
    t=$(printf '%s\n' "${times[@]}" | median)
    s=$(printf '%s\n' "${sizes[@]}" | median)
    printf '| %s | %d ms | %.1f MiB |\n' "$name" "$t" "$(echo "$s / 1024" | bc -l)"
}

echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores. Date: $(date -u +%F). Medians of $runs runs."
echo
echo "| program | start to window painted | resident memory |"
echo "|---|---:|---:|"
report "Tessaro" "$tessaro"
report "mtPaint $(dpkg-query -W -f='${Version}' mtpaint 2>/dev/null)" mtpaint
