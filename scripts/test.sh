#!/usr/bin/env bash
# Sets up and builds Corvale (scripts/setup.sh) and runs every test: the suite in build/, the
# fuzz targets for FUZZ_SECONDS each (scripts/fuzz.sh), then the same suite built with
# AddressSanitizer and UndefinedBehaviorSanitizer in build-sanitize/, where a leak also fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
ctest --test-dir build --output-on-failure --timeout 900

FUZZ_SECONDS=${FUZZ_SECONDS:-60} scripts/fuzz.sh

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVALE_SANITIZE=ON -DCORVALE_BUILD_BENCHMARKS=OFF
cmake --build build-sanitize
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --timeout 900
