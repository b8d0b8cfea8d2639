# Sourced by run.sh and test.sh: a private X server with a window manager and a fresh Wine
# prefix, and the means to end exactly what was started here.
#   session_start DIR   - Xvfb + openbox on a free display, WINEPREFIX=DIR/prefix, wineboot done;
#                         QUORVEL_SCREEN names the file that is the screen's memory
#   session_stop        - ends that wineserver, openbox and Xvfb by their own ids

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

session_free_display() {
  local n
  for n in $(seq 90 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

session_start_x() {
  local display
  display=$(session_free_display) || { echo "no free X display" >&2; return 1; }
  # The screen's memory in a file: what a person sees, read without asking the X server, whose
  # answers for overlapping windows that share a colormap (as Wine's do) are not the screen.
  mkdir -p "$1"
  Xvfb ":$display" -screen 0 1024x768x24 -fbdir "$1" -nolisten tcp >/dev/null 2>&1 &
  export QUORVEL_SCREEN="$1/Xvfb_screen0"
  SESSION_XVFB_PID=$!
  export DISPLAY=":$display"
  for _ in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  openbox >/dev/null 2>&1 &
  SESSION_WM_PID=$!
}

session_start_wine() {
  export WINEPREFIX="$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  "$WINE64" wineboot --init >/dev/null 2>&1
  "$WINESERVER" -w
  # No crash dialog: a crash must show up as a failed test, not as a window nobody closes.
  "$WINE64" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
  "$WINESERVER" -w
}

session_start() {
  local dir=$1
  mkdir -p "$dir"
  session_start_x "$dir/screen"
  session_start_wine "$dir/prefix"
  # A wineserver kept alive for the whole run spares every test the cost of starting one.
  "$WINESERVER" -p >/dev/null 2>&1
  # Start Wine's own services now, detached from any pipe: started later by a test, they would
  # inherit its output and keep CTest waiting for an end of file that never comes.
  "$WINE64" cmd /c exit </dev/null >/dev/null 2>&1
  trap session_stop EXIT
}

session_stop() {
  [ -n "${WINEPREFIX:-}" ] && "$WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "${SESSION_WM_PID:-}" ] && { kill "$SESSION_WM_PID"; wait "$SESSION_WM_PID"; } 2>/dev/null || true
  [ -n "${SESSION_XVFB_PID:-}" ] && { kill "$SESSION_XVFB_PID"; wait "$SESSION_XVFB_PID"; } 2>/dev/null || true
  SESSION_WM_PID= SESSION_XVFB_PID=
}
