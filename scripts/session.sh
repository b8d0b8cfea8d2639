# Sourced by run.sh and test.sh: a private X server with a window manager and a fresh Wine
# prefix, and the means to end exactly what was started here.
#   session_start DIR   - Xvfb + openbox on a free display, WINEPREFIX=DIR/prefix, wineboot done;
#                         QUORVEL_SCREEN names the file that is the screen's memory
#   session_stop        - ends that wineserver, openbox and Xvfb by their own ids

WINE64=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

# A display is free when no socket file and no lock file name it. That is not proof: an X server
# in another mount namespace can hold the display through the abstract socket alone, and then
# ours dies at once while xdpyinfo answers from that other server.
session_free_displays() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || echo "$n"
  done
}

# Ours only once our own Xvfb lives, has made its screen file and answers.
session_x_is_ours() {
  local pid=$1 screen=$2 _
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || return 1
    [ -e "$screen" ] && xdpyinfo >/dev/null 2>&1 && kill -0 "$pid" 2>/dev/null && return 0
    sleep 0.1
  done
  return 1
}

session_start_x() {
  local display tried=()
  # The screen's memory in a file: what a person sees, read without asking the X server, whose
  # answers for overlapping windows that share a colormap (as Wine's do) are not the screen.
  mkdir -p "$1"
  export QUORVEL_SCREEN="$1/Xvfb_screen0"
  for display in $(session_free_displays); do
    # A screen file left by an earlier run would pass for ours.
    rm -f "$QUORVEL_SCREEN"
    Xvfb ":$display" -screen 0 1024x768x24 -fbdir "$1" -nolisten tcp >"$1/Xvfb.log" 2>&1 &
    SESSION_XVFB_PID=$!
    export DISPLAY=":$display"
    if session_x_is_ours "$SESSION_XVFB_PID" "$QUORVEL_SCREEN"; then
      openbox >/dev/null 2>&1 &
      SESSION_WM_PID=$!
      return 0
    fi
    { kill "$SESSION_XVFB_PID"; wait "$SESSION_XVFB_PID"; } 2>/dev/null || true
    SESSION_XVFB_PID=
    tried+=(":$display")
    [ ${#tried[@]} -lt 5 ] || break
  done
  # Xvfb gives its reason on the line after "Fatal server error".
  echo "no X server of our own: Xvfb did not come up on ${tried[*]:-any free display} (the last said:" \
    "$(sed -n '/Fatal server error/{n;s/(EE) *//g;p;q}' "$1/Xvfb.log" 2>/dev/null))" >&2
  return 1
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
  session_start_x "$dir/screen" || return 1
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
