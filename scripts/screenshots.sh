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
for name in search-window balloon-tooltip examples-window focused-link focused-category box-no-browser-96; do
  cp "$shots/$name.png" "docs/$name.png"
done
cp "$shots/standard-search-144.png" docs/search-window-144.png
cp "$shots/dark-search-96.png" docs/dark-search.png
cp "$shots/dark-examples-96.png" docs/dark-examples.png
cp "$shots/box-blank-96.png" docs/warning.png
cp "$shots/box-info-96.png" docs/info.png
echo "docs/ refreshed from $shots"
