#!/usr/bin/env bash
# Builds the fuzz target with clang and runs it.
# Usage: fuzz/run.sh runs N      N inputs from a fixed seed: the same result
#                                every time for the same code and corpus
#        fuzz/run.sh seconds N   N seconds from a random seed, to explore
# The saved corpus is read, never written; new inputs go to a scratch folder.
# A failing input is kept as fuzz/build-clang/crash-* (or leak-*, timeout-*).
set -euo pipefail

mode=${1:?usage: run.sh runs|seconds N}
count=${2:?usage: run.sh runs|seconds N}
# A fixed seed alone does not repeat a run: coverage of pointer-keyed code
# moves with address-space randomisation, and reloading the corpus goes by
# the clock. Both are turned off where the system lets us.
launch=()
case "$mode" in
  runs)
    bound=(-runs="$count" -seed=1 -reload=0)
    if setarch -R true 2>/dev/null; then
      launch=(setarch -R)
    else
      echo "address-space randomisation stays on: this run may differ from the next" >&2
    fi
    ;;
  seconds) bound=(-max_total_time="$count") ;;
  *) echo "usage: run.sh runs|seconds N" >&2; exit 2 ;;
esac

here=$(cd "$(dirname "$0")" && pwd)
build=$here/build-clang

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

"${launch[@]}" "$build/frame_fuzz" "${bound[@]}" -max_len=4096 -timeout=10 \
  -print_final_stats=1 -artifact_prefix="$build/" "$scratch" "$here/corpus"
