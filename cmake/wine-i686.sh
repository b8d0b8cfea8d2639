#!/bin/sh
# Runs a 32-bit Windows program under Wine's 32-bit side. Where this machine has none, or its
# kernel refuses 32-bit code, it says why in the line that CTest reports as a skip
# (QUORVEL_SKIPPED in cmake/Windows.cmake), and fails.
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "SKIPPED, no 32-bit Windows code runs here: Wine's 32-bit side is not installed (wine32:i386)"
  exit 77
fi
# The loader is itself an i386 program: if the kernel runs it, it runs 32-bit code.
if ! probe=$("$loader" --version 2>&1); then
  echo "SKIPPED, no 32-bit Windows code runs here: the kernel refused Wine's 32-bit loader: $probe"
  exit 77
fi
exec "$loader" "$@"
