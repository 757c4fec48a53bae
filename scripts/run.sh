#!/usr/bin/env bash
# Installs what is needed, builds reader_host and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREADER_TESTS=OFF
cmake --build build
# The program reads log.conf from the folder it is started in and finds
# liblodeport.so beside itself: both are in build/bin.
cd build/bin
exec ./reader_host
