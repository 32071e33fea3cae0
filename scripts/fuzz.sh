#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in build-fuzz and runs each for SECONDS on a
# fresh copy of its seed corpus. Fails when a target finds a crash, a leak of
# an exception, a sanitizer report or a hang.
#
#   scripts/fuzz.sh SECONDS [bmp|deflate|jpeg|jpeg_structured|palette|png|recovery|settings|tiled ...]
#
# Inputs may be up to MAX_LEN bytes (default 1 MiB), room for the hostile
# files the readers must refuse quickly (a progressive JPEG of hundreds of
# scans, a run-length BMP claiming a huge picture). Crashing inputs are kept
# in build-fuzz/findings/.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ "$1" =~ ^[0-9]+$ ]]; then
  echo "usage: $0 SECONDS [bmp|deflate|jpeg|jpeg_structured|palette|png|recovery|settings|tiled ...]" >&2
  exit 2
fi
seconds="$1"
shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then targets=(bmp deflate jpeg jpeg_structured palette png recovery settings tiled); fi
max_len="${MAX_LEN:-1048576}"

root="$(pwd)"
testdata="$root/tests/data"
build="$root/build-fuzz"

CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTESSARO_FUZZ=ON \
  -DTESSARO_BUILD_UI=OFF -DTESSARO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target $(printf 'fuzz_%s ' "${targets[@]}")

seeds() {
  case "$1" in
    bmp) ls "$testdata"/bmpsuite/{g,q,b}/*.bmp ;;
    jpeg)
      ls "$testdata"/jpeg/*.jpg
      # Progressive scans, many scans, huge frames, cuts inside and between
      # scans: made from a sample, since random bytes rarely reach them.
      python3 "$root/tests/fuzz/make_jpeg_seeds.py" "$testdata/jpeg/testorig-progressive.jpg" "$build/made-seeds"
      ls "$build"/made-seeds/*.jpg ;;
    jpeg_structured)
      # Shapes: the first bytes choose progressive, restarts, arithmetic
      # coding, grey, sampling, repeated scans and a huge frame.
      for flags in 00 01 03 05 07 0b 11 21 31 c1 c3; do
        printf "\\x$flags\\x1f\\x17\\x50\\x00\\x20\\x40\\x00seedpixels" >"$build/made-seeds/shape-$flags"
        echo "$build/made-seeds/shape-$flags"
      done ;;
    deflate) ls "$root"/tests/fuzz/seeds/deflate/* ;;
    palette) ls "$root"/tests/fuzz/seeds/palette/* ;;
    png) ls "$testdata"/pngsuite/*.png ;;
    recovery) ls "$root"/tests/fuzz/seeds/recovery/* ;;
    settings) ls "$root"/tests/fuzz/seeds/settings/* ;;
    tiled) ls "$root"/tests/fuzz/seeds/tiled/* ;;
    *) echo "unknown fuzz target: $1" >&2; return 1 ;;
  esac
  # Fixture pictures of the scenarios are seeds too.
  case "$1" in
    bmp) find "$root/tests/scenarios/fixtures" -name '*.bmp' 2>/dev/null || true ;;
    jpeg) find "$root/tests/scenarios/fixtures" -iname '*.jpg' 2>/dev/null || true ;;
    png) find "$root/tests/scenarios/fixtures" -iname '*.png' 2>/dev/null || true ;;
  esac
}

mkdir -p "$build/findings" "$build/made-seeds"
status=0
for target in "${targets[@]}"; do
  corpus="$build/corpus-$target"
  rm -rf "$corpus"
  mkdir -p "$corpus"
  seeds "$target" | while read -r f; do cp "$f" "$corpus/"; done
  echo "== fuzz_$target for ${seconds}s on $(ls "$corpus" | wc -l) seeds"
  # The settings target starts in a directory of its own; run it from the
  # build directory so that nothing lands in the source tree.
  if ! (cd "$build" && ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=0 \
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
        "./tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
        -print_final_stats=1 -artifact_prefix="$build/findings/$target-" "$corpus" \
        >"$build/fuzz-$target.log" 2>&1); then
    echo "fuzz_$target FAILED; see $build/fuzz-$target.log" >&2
    tail -n 40 "$build/fuzz-$target.log" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/fuzz-$target.log" | tail -n 2 || true
  fi
done
exit $status
