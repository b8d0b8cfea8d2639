#!/usr/bin/env bash
# scripts/session.sh's X server against displays held through the abstract socket alone, as an
# X server in another mount namespace holds them: no socket file, no lock file, and our Xvfb
# cannot start there. The session must move on to a display of its own.
set -euo pipefail
command -v Xvfb >/dev/null || { echo "SKIPPED: no Xvfb here"; exit 77; }
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/session.sh"
unset WINEPREFIX
tmp=$(mktemp -d)
holder=""
# Quiet: at exit bash can warn of a child it has already reaped, which says nothing of the session.
trap '{ [ -z "$holder" ] || kill "$holder"; session_stop; rm -rf "$tmp"; } 2>/dev/null' EXIT

# Holds the abstract socket of the display given and leaves a process keeping it, whose id it prints.
hold() {
  /usr/bin/python3 -c '
import os, signal, socket, sys
held = socket.socket(socket.AF_UNIX)
held.bind("\0/tmp/.X11-unix/X" + sys.argv[1])
pid = os.fork()
if pid:
    print(pid)
    sys.exit(0)
os.close(1)
signal.pause()
' "$@"
}

fail() { echo "FAIL: $*"; exit 1; }

# The first free-looking display held: the session takes another, whose Xvfb is ours and has made
# its screen.
free=($(session_free_displays))
first=${free[0]}
holder=$(hold "$first")
session_start_x "$tmp/screen" || fail "with :$first held elsewhere, no session"
[ "$DISPLAY" != ":$first" ] || fail "the session took :$first, held elsewhere"
kill -0 "$SESSION_XVFB_PID" || fail "our Xvfb is gone"
[ -s "$QUORVEL_SCREEN" ] || fail "no screen file $QUORVEL_SCREEN"
