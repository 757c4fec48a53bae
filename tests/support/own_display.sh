#!/usr/bin/env bash
# Runs a test program on a virtual screen of its own: on a screen shared by
# the tests running in parallel, one window's drawing waits for everyone
# else's, and a test that moves the pointer or presses keys could reach
# another test's window.
set -uo pipefail

# Listing the tests needs no screen.
for arg in "$@"; do
  [[ "$arg" == --gtest_list_tests* ]] && exec "$@"
done

fifo="$(mktemp -u)"
mkfifo "$fifo" || exit 1
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null' EXIT
trap 'exit 143' TERM INT
# The server writes its display number once it accepts clients.
read -r number <"$fifo"
rm -f "$fifo"
if [[ -z "${number:-}" ]]; then
  echo "own_display.sh: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
