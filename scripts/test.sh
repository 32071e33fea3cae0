#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Tessaro and runs every test: unit, scenario and window tests; the
# Windows build's under Wine when it is there (scripts/test-windows.sh); then
# the unit and scenario tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (with leak detection); then each fuzz target for a
# short while.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"
passed=0 failed=0 skipped=0

# Runs one build's tests and adds its counts to the closing summary.
run_tests() {
  local log
  log="$(mktemp)"
  ctest --test-dir "$1" --output-on-failure -j"$jobs" | tee "$log"
  local total fail skip
  total="$(sed -n 's/.*tests failed out of \([0-9]*\).*/\1/p' "$log")"
  fail="$(sed -n 's/.*, \([0-9]*\) tests failed out of.*/\1/p' "$log")"
  skip="$(grep -c '(Skipped)$' "$log" || true)"
  rm -f "$log"
  passed=$((passed + total - fail - skip)) failed=$((failed + fail)) skipped=$((skipped + skip))
}

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
run_tests build

# The Windows build under Wine, where scripts/build-windows.sh made its cache;
# it compares the scenarios' files with the run above.
windows_log="$(mktemp)"
scripts/test-windows.sh | tee "$windows_log"
windows="$(sed -n 's/^windows: \([0-9]*\) passed, \([0-9]*\) failed.*/\1 \2/p' "$windows_log")"
rm -f "$windows_log"
if [ -n "$windows" ]; then
  read -r windows_passed windows_failed <<<"$windows"
  passed=$((passed + windows_passed)) failed=$((failed + windows_failed))
fi

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTESSARO_SANITIZE=ON \
  -DTESSARO_BUILD_UI=OFF -DTESSARO_BUILD_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
run_tests build-sanitize
unset ASAN_OPTIONS UBSAN_OPTIONS

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh 15
fi

echo "all: $passed passed, $failed failed, $skipped skipped"
