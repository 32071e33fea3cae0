#!/usr/bin/env bash
# Builds Tessaro and runs every test: unit, scenario and window tests; then
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
