#!/usr/bin/env bash
# scripts/session.sh's X server against displays held through the abstract socket alone, as an
# X server in another mount namespace holds them: no socket file, no lock file, and our Xvfb
# cannot start there. The session must move on to a display of its own, or stop saying why.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "SKIPPED: no Xvfb here"; exit 77; }
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/session.sh"
unset WINEPREFIX
tmp=$(mktemp -d)
holder=""
# Quiet: at exit bash can warn of a child it has already reaped, which says nothing of the session.
trap '{ [ -z "$holder" ] || kill "$holder"; session_stop; rm -rf "$tmp"; } 2>/dev/null' EXIT

# Holds the abstract sockets of the displays given (those some other server holds already stay
# held by it) and leaves a process keeping them, whose id it prints.
hold() {
  /usr/bin/python3 -c '
import os, signal, socket, sys
held = []
for n in sys.argv[1:]:
    s = socket.socket(socket.AF_UNIX)
    try:
        s.bind("\0/tmp/.X11-unix/X" + n)
    except OSError:
        pass
    held.append(s)
pid = os.fork()
if pid:
    print(pid)
    sys.exit(0)
os.close(1)
signal.pause()
' "$@"
}

fail() { echo "FAIL: $*"; exit 1; }

# Five displays in a row held: one clear message, nothing of ours left running.
free=($(session_free_displays))
holder=$(hold "${free[@]:0:5}")
status=0
session_start_x "$tmp/screen" 2>"$tmp/message" || status=$?
message=$(cat "$tmp/message")
[ "$status" -eq 1 ] && [ -z "$SESSION_XVFB_PID" ] || fail "with five displays held elsewhere: status $status"
grep -q '^no X server of our own: Xvfb did not come up on :[0-9]* :[0-9]* :[0-9]* :[0-9]* :[0-9]* (the last said: .*already' <<<"$message" ||
  fail "with five displays held elsewhere: $message"
kill "$holder"
holder=""

# The first display held: the session takes another, whose Xvfb is ours and has made its screen.
first=${free[0]}
holder=$(hold "$first")
session_start_x "$tmp/screen" || fail "with :$first held elsewhere, no session"
[ "$DISPLAY" != ":$first" ] || fail "the session took :$first, held elsewhere"
kill -0 "$SESSION_XVFB_PID" || fail "our Xvfb is gone"
[ -s "$QUORVEL_SCREEN" ] || fail "no screen file $QUORVEL_SCREEN"
