#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   the portable code on the host under AddressSanitizer and UndefinedBehaviorSanitizer,
#   the shipped 32-bit program (built twice to prove the build reproducible, and checked from
#   outside: this machine cannot run it),
#   the 64-bit program with its tests under Wine, in a private X server with a window manager,
#   and the fuzz target for a bounded time (QUORVEL_FUZZ_SECONDS, 180 by default).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

source scripts/build.sh

echo "== host: portable code under the sanitizers"
quorvel_build host-sanitize
ctest --preset host-sanitize

echo "== fuzzing"
bash scripts/fuzz.sh "${QUORVEL_FUZZ_SECONDS:-180}"

echo "== Windows i686: the shipped program, built twice"
quorvel_build windows-x86
bash scripts/check-reproducible.sh

echo "== Windows x86_64 under Wine: real windows and the real program"
quorvel_build windows-x64 -- -DQUORVEL_BUILD_TESTS=ON -DQUORVEL_I686_PROGRAM="$root/build/windows-x86/Dide Quorvel.exe"
source scripts/session.sh
session_start "$root/build/session"
ctest --preset windows-x64
