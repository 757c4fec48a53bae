#!/usr/bin/env bash
# Installs what reader_host needs from Debian 12's packages. With "--test",
# also what the tests, the sanitizer build and the fuzz run need.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libwxgtk3.2-dev libeasyloggingpp-dev libconcurrentqueue-dev libhidapi-dev
  fonts-wqy-microhei
)
if [[ "${1:-}" == "--test" ]]; then
  packages+=(googletest libgtest-dev libbenchmark-dev xvfb xauth xdotool clang libclang-rt-dev)
fi

sudo=""
if [[ $(id -u) -ne 0 ]]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update
$sudo apt-get install -y --no-install-recommends "${packages[@]}"
