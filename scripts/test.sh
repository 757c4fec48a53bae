#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the plain build, the
# same tests again under the address and undefined-behaviour sanitizers, and
# a fuzz run of the frame reassembly from a fixed seed, so that a run gives
# the same result every time.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_runs="${FUZZ_RUNS:-400000}"
jobs="$(nproc)"

scripts/install-deps.sh --test

export NO_AT_BRIDGE=1

echo "== plain build"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREADER_TESTS=ON -DREADER_BENCH=ON
cmake --build build -j "$jobs"
(cd build && xvfb-run -a ctest --output-on-failure -j "$jobs")

echo "== sanitizer build"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DREADER_TESTS=ON -DREADER_SANITIZE=ON
cmake --build build-sanitize -j "$jobs"
(
  cd build-sanitize
  export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
  export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
  export LSAN_OPTIONS="suppressions=$PWD/lsan.supp"
  xvfb-run -a ctest --output-on-failure -j "$jobs"
)

echo "== fuzz run (${fuzz_runs} inputs)"
fuzz/run.sh runs "$fuzz_runs"
