#!/usr/bin/env bash
# Installs what is missing on Debian 12, for running (the default) or for testing as well:
#   install-deps.sh [run|test]
# run:  the MinGW-w64 cross compilers, Wine (64-bit only; this machine runs no 32-bit code), its
#       fonts, and xdg-utils, through which Wine hands a web address to the desktop's browser;
# test: also an X server with a window manager for the end-to-end journeys, the tools those
#       journeys drive the program with, the host compilers with the sanitizers and the fuzzer,
#       headless Chromium for the journey through a real browser, and git, with which the
#       reproducibility check copies the sources.
set -euo pipefail

packages=(
  cmake ninja-build make g++
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev binutils-mingw-w64
  wine wine64 fonts-wine fonts-liberation xdg-utils
)
if [ "${1:-run}" = test ]; then
  packages+=(
    clang libclang-rt-14-dev googletest
    xvfb openbox xdotool xclip imagemagick x11-utils chromium-headless-shell
    python3 python3-pil python3-pefile git
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
