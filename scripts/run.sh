#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it under Wine in your X session.
# This machine runs the 64-bit build; the shipped 32-bit program needs a machine that runs
# 32-bit code (Windows itself, or Wine with wine32).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

QUORVEL_DEPS=run
source scripts/build.sh
quorvel_build windows-x64 DideQuorvel -- -DQUORVEL_BUILD_TESTS=OFF

if [ -z "${DISPLAY:-}" ]; then
  echo "No X session (DISPLAY is not set): start one, or use 'xvfb-run -a scripts/run.sh'." >&2
  exit 1
fi
export WINEPREFIX="${WINEPREFIX:-$HOME/.local/share/dide-quorvel/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -d "$WINEPREFIX" ]; then
  mkdir -p "$WINEPREFIX"
  /usr/lib/wine/wine64 wineboot --init >/dev/null 2>&1
fi
exec /usr/lib/wine/wine64 "$root/build/windows-x64/Dide Quorvel.exe"
