#!/usr/bin/env bash
# Installs what is missing on Debian 12, for running (the default) or for testing as well:
#   install-deps.sh [run|test]
# run:  the MinGW-w64 cross compilers, Wine with its 32-bit side (which runs the shipped 32-bit
#       program; the i386 architecture is added for it), its fonts, and xdg-utils, through which
#       Wine hands a web address to the desktop's browser;
# test: also an X server with a window manager for the end-to-end journeys, the tools those
#       journeys drive the program with, the host compilers with the sanitizers and the fuzzer,
#       clang with lld, the second compiler of both Windows builds,
#       libjpeg-turbo (the reference the picture decoder is tested against), headless Chromium for
#       the journey through a real browser, and git, with which the reproducibility check copies
#       the sources.
set -euo pipefail

packages=(
  cmake ninja-build make g++
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev binutils-mingw-w64
  wine wine64 wine32:i386 fonts-wine fonts-liberation xdg-utils
)
if [ "${1:-run}" = test ]; then
  packages+=(
    clang lld libclang-rt-14-dev googletest libjpeg62-turbo-dev
    xvfb openbox xdotool xclip imagemagick x11-utils chromium-headless-shell
    python3 python3-pil python3-pefile git
  )
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
updated=""
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
  $sudo apt-get update -qq
  updated=1
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

[ -n "$updated" ] || $sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
