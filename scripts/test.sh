#!/usr/bin/env bash
# Builds everything and runs every test: the fuzzer for a minute (FUZZ_SECONDS), the whole suite
# under AddressSanitizer and UndefinedBehaviorSanitizer, then the whole suite on the optimised
# build, which also builds the benchmarks.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test

cmake --preset fuzz
cmake --build --preset fuzz
rm -rf build/fuzz/corpus-work
mkdir -p build/fuzz/corpus-work
build/fuzz/tests/fuzz/field_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -max_len=8192 \
  -print_final_stats=1 build/fuzz/corpus-work tests/fuzz/corpus

cmake --workflow --preset asan
cmake --workflow --preset release
