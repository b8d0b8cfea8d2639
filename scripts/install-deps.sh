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
# Wine's 32-bit side is wanted, not needed: where it cannot be installed this says why in one
# line and succeeds, since the 64-bit build then carries every test. Any other package that
# cannot be installed stops it with apt's own message.
set -euo pipefail

packages=(
  cmake ninja-build make g++
  g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-x86-64-dev mingw-w64-i686-dev binutils-mingw-w64
  wine wine64 fonts-wine fonts-liberation xdg-utils
)
if [ "${1:-run}" = test ]; then
  packages+=(
    clang lld libclang-rt-14-dev googletest libjpeg62-turbo-dev
    xvfb openbox xdotool xclip imagemagick x11-utils chromium-headless-shell
    python3 python3-pil python3-pefile git
  )
fi

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
want32=""
installed wine32:i386 || want32=1
[ ${#missing[@]} -eq 0 ] && [ -z "$want32" ] && exit 0

no32() {
  echo "Wine's 32-bit side (wine32:i386) is not installed: $1; the 64-bit build carries every test." >&2
}
# Why apt would not install the 32-bit side, from what it said.
why32() {
  case $1 in
    *"Unable to locate package"*) echo "it is in no index" ;;
    # Under -qq apt says only that its resolver could not meet the dependencies.
    *"unmet dependencies"* | *"generated breaks"* | *"held broken packages"*) echo "its dependencies are in no index" ;;
    *) echo "apt-get install failed: $(printf '%s\n' "$1" | grep -m1 '^E: ' || printf '%s\n' "$1" | sed -n '$p')" ;;
  esac
}

# Only the 32-bit side missing: the indexes at hand decide, without root or a download, so a
# machine that has everything else neither asks the mirrors nor asks for a password on every run.
if [ ${#missing[@]} -eq 0 ] && dpkg --print-foreign-architectures | grep -qx i386 &&
  ! out=$(apt-get install -s -qq --no-install-recommends wine32:i386 2>&1); then
  no32 "$(why32 "$out") (an apt-get update may bring it)"
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  sudo=""
elif command -v sudo >/dev/null; then
  sudo="sudo"
elif [ ${#missing[@]} -gt 0 ]; then
  echo "Missing: ${missing[*]}${want32:+ wine32:i386}; installing needs root, and sudo is not installed." >&2
  exit 1
else
  no32 "installing it needs root, and sudo is not installed"
  exit 0
fi

export DEBIAN_FRONTEND=noninteractive
if [ -n "$want32" ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
  $sudo dpkg --add-architecture i386
fi

# One index a mirror serves mid-sync must not stop the set-up: try again after a pause, then go
# on with the indexes at hand and let the install decide.
failed="" why_failed=""
for try in 1 2 3; do
  if out=$($sudo apt-get update -qq 2>&1); then
    failed="" why_failed=""
    break
  fi
  # apt names each index it could not fetch: "E: Failed to fetch URL  reason [IP: ...]".
  fetch=$(printf '%s\n' "$out" | grep -E '^[EW]: Failed to fetch ' || true)
  failed=$(printf '%s\n' "$fetch" | sed -n 's|^.*/dists/\([^ ]*\) .*|\1|p' | sort -u | paste -sd ' ' -)
  why_failed=$(printf '%s\n' "$fetch" | sed -n '1s/^[^ ]* [^ ]* [^ ]* [^ ]* [^ ]*  *\([^[]*[^[ ]\).*/\1/p')
  [ -n "$why_failed" ] || why_failed=$(printf '%s\n' "$out" | grep -m1 '^E: ' || printf '%s\n' "$out" | sed -n '$p')
  [ $try -eq 3 ] || sleep 5
done
if [ -n "$failed" ]; then
  echo "apt-get update could not fetch $failed ($why_failed); going on with the other indexes." >&2
elif [ -n "$why_failed" ]; then
  echo "apt-get update failed ($why_failed); going on with the indexes at hand." >&2
fi

[ ${#missing[@]} -eq 0 ] || $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

if [ -n "$want32" ]; then
  if out=$($sudo apt-get install -y -qq --no-install-recommends wine32:i386 2>&1); then
    # Wine's loader is itself an i386 program: if the kernel runs it, it runs 32-bit code.
    if [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
      echo "Wine's 32-bit side is installed, but this kernel refuses 32-bit code; the 64-bit build carries every test." >&2
    fi
  else
    no32 "$(why32 "$out")${failed:+ while $failed cannot be fetched}"
  fi
fi
