#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows part of the tests, under Wine: every scenario through
# tessaro-script.exe (and its saved files byte for byte against the Linux
# run's, where build/ has run them), the unit tests built for Windows, and,
# from the zip's folder, tessaro.exe's English help and a window check: on
# Xvfb it opens a sheet named on its command line, shows it as the Linux
# window does (where build/ has it), and saves what it shows.
#
#   scripts/test-windows.sh
#
# It needs the Windows build's cache (scripts/build-windows.sh, most of an
# hour the first time); without it, it says so and passes. It never builds
# the cache itself. Prints "windows: N passed, M failed" last; exit status 1
# when any failed.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cache="${TESSARO_WIN_CACHE:-$HOME/.cache/tessaro-win}"
out="$root/build-windows"
if [ ! -e "$cache/prefix/.built-qtbase" ]; then
  echo "windows: not tested (no Windows build cache at $cache; make it with scripts/build-windows.sh)"
  exit 0
fi
started=$SECONDS
# Tessaro's own programs as the checkout has them now; the cache is not
# rebuilt (a second run of build-windows.sh builds only Tessaro).
if ! "$root/scripts/build-windows.sh" >/dev/null; then
  echo "windows: 0 passed, 1 failed (the Windows build failed: $out/build.log)"
  exit 1
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Wine gives every program the prefix's own %LOCALAPPDATA%, whatever the
# environment says: the recovery folder is emptied before each program, and
# the scenarios run in two prefixes, two at a time.
prefixes=("$cache/wine" "$cache/wine-2")
for prefix in "${prefixes[@]}"; do
  [ -d "$prefix/drive_c" ] || WINEPREFIX="$prefix" wineboot -i >/dev/null 2>&1
done
# Neither the recovery copies nor the kept settings of one run reach the next.
fresh_state() { rm -rf "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Local/Tessaro" "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Tessaro"; }
export WINEPREFIX="${prefixes[0]}"
passed=0 failed=0
pass() { passed=$((passed + 1)); }
fail() {
  failed=$((failed + 1))
  echo "windows: FAILED $*"
}
# A Unix path as Wine's programs see it (drive Z: is /).
winpath() { printf 'Z:%s' "${1//\//\\}"; }

# Each program a single file: every DLL it names is one of Windows' own.
# Names of API sets (api-ms-win-*, which Qt's Windows plugin imports) are no
# files: Windows' loader, and Wine's, maps them to its own DLLs.
for program in tessaro tessaro-cli tessaro-script; do
  foreign=""
  for dll in $(x86_64-w64-mingw32-objdump -p "$out/$program.exe" | sed -n 's/^\s*DLL Name: //p'); do
    [[ "${dll,,}" == api-ms-win-* ]] && continue
    [ -n "$(find "$WINEPREFIX/drive_c/windows/system32" -maxdepth 1 -iname "$dll" -print -quit)" ] || foreign+=" $dll"
  done
  if [ -z "$foreign" ]; then pass; else fail "$program.exe needs DLLs Windows lacks:$foreign"; fi
done

# Scenarios, each in a scratch folder of its own as on Linux.
work="$out/scenario-work"
rm -rf "$work"
mkdir -p "$work"
run_scenarios() { # PREFIX SCENARIO...: prints "pass NAME" or "fail NAME" for each
  export WINEPREFIX="$1"
  shift
  local scenario name dir
  for scenario in "$@"; do
    name="$(basename "$scenario" .scn)"
    dir="$work/$name"
    mkdir -p "$dir"
    ln -s "$root/tests/scenarios/fixtures" "$dir/fixtures"
    ln -s "$root/tests/data" "$dir/testdata"
    fresh_state
    if (cd "$dir" && wine "$out/tessaro-script.exe" "$(winpath "$scenario")") >"$work/$name.log" 2>&1; then
      echo "pass $name"
    else
      echo "fail $name"
    fi
  done
}
scenarios=("$root"/tests/scenarios/*.scn)
half=$(((${#scenarios[@]} + 1) / 2))
run_scenarios "${prefixes[0]}" "${scenarios[@]:0:half}" >"$work/results-1" &
run_scenarios "${prefixes[1]}" "${scenarios[@]:half}" >"$work/results-2"
wait
while read -r result name; do
  if [ "$result" = pass ]; then pass; else fail "scenario $name: $(tail -n 5 "$work/$name.log")"; fi
done < <(cat "$work/results-1" "$work/results-2")

# The files the scenarios left, byte for byte as the Linux driver left them.
linux="$root/build/tests/scenario-work"
if [ -d "$linux" ]; then
  for dir in "$work"/*/; do
    name="$(basename "$dir")"
    [ -d "$linux/$name" ] || continue
    if diff -r --no-dereference -x state -x fixtures -x testdata "$linux/$name" "$dir" >"$work/$name.diff" 2>&1; then
      pass
    else
      fail "scenario $name: its files differ from the Linux run's ($work/$name.diff)"
    fi
  done
else
  echo "windows: no Linux scenario run in build/ to compare the saved files with"
fi

# tessaro-cli split writes the 480 chips as the Linux build's does, in a
# folder with a non-ASCII name.
if [ -x "$root/build/tessaro-cli" ]; then
  split="$(mktemp -d)"
  sheet="$root/tests/scenarios/fixtures/exchange/sheet_480x256.bmp"
  mkdir -p "$split/linux" "$split/チップ"
  "$root/build/tessaro-cli" split "$sheet" "$split/linux/map" >/dev/null 2>&1
  "$root/build/tessaro-cli" split "$sheet" "$split/linux/map.png" >/dev/null 2>&1
  (cd "$split" && wine "$out/tessaro-cli.exe" split "$(winpath "$sheet")" "チップ\\map" &&
    wine "$out/tessaro-cli.exe" split "$(winpath "$sheet")" "チップ/map.png") >"$split.log" 2>&1 || true
  if [ "$(find "$split/linux" -type f | wc -l)" -eq 960 ] && diff -r "$split/linux" "$split/チップ" >>"$split.log" 2>&1; then
    pass
  else
    fail "tessaro-cli split: not the Linux build's chips ($(tail -n 3 "$split.log"))"
  fi
  rm -rf "$split" "$split.log"
fi

# The unit tests built for Windows.
for test in "$out"/test_*.exe; do
  scratch="$(mktemp -d)"
  fresh_state
  if (cd "$scratch" && wine "$test") >"$scratch.log" 2>&1; then
    pass
  else
    fail "$(basename "$test"): $(grep -E 'FAILED|Failure' "$scratch.log" | head -n 10)"
  fi
  rm -rf "$scratch" "$scratch.log"
done

# The zip's folder as a user unpacks it: the editor finds its English
# translation beside it ("--lang en"), and its window shows and saves a sheet.
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/CMakeCache.txt")"
stage="$out/tessaro-$version-win64"
if wine "$stage/tessaro.exe" --help --lang en 2>&1 | grep -q '^Usage: .* \[options\] \[FILE\]'; then
  pass
else
  fail "tessaro.exe --lang en: the help is not in English (no $stage/translations/tessaro_en.qm?)"
fi
fresh_state
linux_editor=()
[ -x "$root/build/tessaro" ] && linux_editor=("$root/build/tessaro")
if TESSARO_WINDOW_SHOT="$out/window-check.png" "$root/tests/windows/window_check.sh" "$stage/tessaro.exe" "${linux_editor[@]}"; then
  pass
else
  fail "window check"
fi

echo "windows: $passed passed, $failed failed ($((SECONDS - started)) s)"
[ "$failed" -eq 0 ]
