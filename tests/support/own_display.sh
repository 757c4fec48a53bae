#!/usr/bin/env bash
# Runs a test program on a virtual screen of its own: on a screen shared by
# the tests running in parallel, one window's drawing waits for everyone
# else's, and a test that moves the pointer or presses keys could reach
# another test's window.
#
# Neither the screen nor the test outlives this script: a TERM or an INT
# ends both at once, and should the script be killed outright, the kernel
# signals both (they are started with a parent-death signal).
set -uo pipefail

# Listing the tests needs no screen.
for arg in "$@"; do
  [[ "$arg" == --gtest_list_tests* ]] && exec "$@"
done

server=""
test=""
end_both() {
  [[ -n "$test" ]] && kill -TERM "$test" 2>/dev/null
  [[ -n "$server" ]] && kill -TERM "$server" 2>/dev/null
  wait 2>/dev/null
}
trap end_both EXIT
# The test runs in the background so that the shell takes these at once,
# not when the test has ended.
trap 'exit 143' TERM
trap 'exit 130' INT

fifo="$(mktemp -u)"
mkfifo "$fifo" || exit 1
setpriv --pdeathsig TERM Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
server=$!
# The server writes its display number once it accepts clients.
read -r number <"$fifo"
rm -f "$fifo"
if [[ -z "${number:-}" ]]; then
  echo "own_display.sh: Xvfb did not start" >&2
  exit 1
fi
DISPLAY=":$number" setpriv --pdeathsig TERM "$@" &
test=$!
wait "$test"
status=$?
test=""
exit "$status"
