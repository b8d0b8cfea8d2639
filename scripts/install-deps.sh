#!/usr/bin/env bash
# Installs what building and testing need on Debian 12: the MinGW-w64 cross compilers, Wine
# (64-bit only; this machine runs no 32-bit code), an X server with a window manager for the
# end-to-end journeys, and the tools those journeys drive the program with.
set -euo pipefail

packages=(
  cmake ninja-build make g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev binutils-mingw-w64
  wine wine64
  xvfb openbox xdotool xclip imagemagick x11-utils
  fonts-wine fonts-liberation
  python3 python3-pil python3-pefile
)

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
