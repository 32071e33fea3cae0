#!/usr/bin/env bash
# Builds Tessaro and runs every test: unit, scenario and window tests; then
# the unit and scenario tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer (with leak detection); then each fuzz target for a
# short while.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTESSARO_SANITIZE=ON \
  -DTESSARO_BUILD_UI=OFF -DTESSARO_BUILD_BENCH=OFF
cmake --build build-sanitize -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs"

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh 15
fi
