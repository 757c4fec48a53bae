#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it for a bounded time.
# Usage: fuzz/run.sh SECONDS
# The saved corpus is read, never written; new inputs go to a scratch folder.
# A failing input is kept as fuzz/build-clang/crash-* (or leak-*, timeout-*).
set -euo pipefail

seconds=${1:?usage: run.sh SECONDS}
here=$(cd "$(dirname "$0")" && pwd)
build=$here/build-clang

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"$build/frame_fuzz" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$build/" "$scratch" "$here/corpus"
