#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: the plain build, the
# same tests again under the address and undefined-behaviour sanitizers, and
# a bounded fuzz run of the frame reassembly.
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds="${FUZZ_SECONDS:-60}"
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

echo "== fuzz run (${fuzz_seconds} s)"
fuzz/run.sh "$fuzz_seconds"
