#!/usr/bin/env bash
# The start-up benchmark and the footprint: sizes and imported DLLs of the stripped 32-bit and
# 64-bit programs, then start-up against a bare and a styled window under Wine (RUNS each,
# default 15), and against an earlier 64-bit build of the program when one is given.
#   scripts/bench.sh [RUNS [EARLIER.exe]]
set -euo pipefail
runs=${1:-15}
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/build.sh
quorvel_build windows-x86 DideQuorvel
quorvel_build windows-x64 DideQuorvel BareWindow StyledWindow StartupBenchmark

echo "footprint (stripped, static)"
for build in windows-x86:i686 windows-x64:x86_64; do
  dir=${build%%:*}; arch=${build##*:}
  exe="build/$dir/Dide Quorvel.exe"
  dlls=$("$arch-w64-mingw32-objdump" -p "$exe" | awk '/DLL Name/ {print $3}' | tr 'A-Z' 'a-z' | sort | paste -sd ' ')
  printf '  %-7s %7d bytes  imports: %s\n' "$arch" "$(stat -c %s "$exe")" "$dlls"
done

source scripts/session.sh
session_start "$root/build/bench-session"
/usr/lib/wine/wine64 build/windows-x64/StartupBenchmark.exe "build/windows-x64/Dide Quorvel.exe" \
  build/windows-x64/BareWindow.exe build/windows-x64/StyledWindow.exe "$runs" ${2:+"$2"}
