#!/usr/bin/env bash
# Refreshes the README's screenshots: runs the journeys, which photograph the shipped 32-bit
# program in build/windows-x86-tests/screenshots (or, where no 32-bit code runs, the 64-bit one,
# which draws the same, in build/windows-x64/screenshots), and copies the pictures the README
# shows into docs/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/build.sh
source scripts/session.sh
if cmake/wine-i686.sh --version >/dev/null; then
  quorvel_build windows-x86
  quorvel_build windows-x86-tests
  preset=windows-x86-tests
else
  quorvel_build windows-x64 -- -DQUORVEL_BUILD_TESTS=ON
  preset=windows-x64
fi
session_start "$root/build/screenshots-session"
ctest --preset $preset -L e2e
shots=build/$preset/screenshots
# Without the PNG's time stamps: a picture taken again is the same file when nothing in it changed.
copy() { /usr/bin/convert "$shots/$1.png" -strip "docs/$2.png"; }
for name in search-window balloon-tooltip examples-window focused-link focused-category box-no-browser-96; do
  copy "$name" "$name"
done
copy standard-search-144 search-window-144
copy dark-search-96 dark-search
copy dark-examples-96 dark-examples
copy box-blank-96 warning
copy box-info-96 info
echo "docs/ refreshed from $shots"
