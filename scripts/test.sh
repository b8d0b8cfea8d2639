#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
#   the portable code on the host under AddressSanitizer and UndefinedBehaviorSanitizer,
#   the fuzz target for a bounded time (QUORVEL_FUZZ_SECONDS, 180 by default),
#   the shipped 32-bit program, built twice to prove the build reproducible,
#   both programs and the 64-bit Windows tests built a second time with clang and lld,
#   then under Wine, in a private X server with a window manager: the Windows tests and every
#   journey on the 64-bit build, the Windows tests on clang's 64-bit build, and the Windows tests
#   and every journey on the 32-bit build, driving the shipped program itself (reported as skipped
#   where no 32-bit code can run).
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

echo "== Windows tests, built for x86_64 and for i686"
quorvel_build windows-x64 -- -DQUORVEL_BUILD_TESTS=ON
quorvel_build windows-x86-tests

echo "== Windows with clang and lld: both programs, and the tests for x86_64"
quorvel_build windows-x86-clang
quorvel_build windows-x64-clang

source scripts/session.sh
session_start "$root/build/session"
failed=()
echo "== under Wine: the 64-bit build"
ctest --preset windows-x64 || failed+=(windows-x64)
echo "== under Wine: the 64-bit build from clang"
ctest --preset windows-x64-clang || failed+=(windows-x64-clang)
echo "== under Wine's 32-bit side: the 32-bit build and the shipped program"
ctest --preset windows-x86-tests || failed+=(windows-x86-tests)
if [ ${#failed[@]} -gt 0 ]; then
  echo "FAILED: ${failed[*]}" >&2
  exit 1
fi
