#!/usr/bin/env bash
# Installs what is missing, builds the shipped 32-bit program and starts it under Wine in your X
# session. Where this machine cannot run 32-bit code, it says so and starts the 64-bit build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

QUORVEL_DEPS=run
source scripts/build.sh
quorvel_build windows-x86 DideQuorvel

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
program="$root/build/windows-x86/Dide Quorvel.exe"
if ! probe=$(cmake/wine-i686.sh --version); then
  echo "$probe" >&2
  echo "Starting the 64-bit build instead." >&2
  quorvel_build windows-x64 DideQuorvel -- -DQUORVEL_BUILD_TESTS=OFF
  exec /usr/lib/wine/wine64 "$root/build/windows-x64/Dide Quorvel.exe"
fi
exec cmake/wine-i686.sh "$program"
