#!/bin/sh
# Runs a 32-bit Windows program under Wine's 32-bit side. Where this machine has none, or its
# kernel refuses 32-bit code, it says why and exits 77, which CTest reports as skipped.
loader=/usr/lib/wine/wine
if [ ! -x "$loader" ]; then
  echo "SKIPPED: Wine's 32-bit side is not installed (apt-get install wine32:i386)"
  exit 77
fi
# The loader is itself an i386 program: if the kernel runs it, it runs 32-bit code.
if ! probe=$("$loader" --version 2>&1); then
  echo "SKIPPED: this machine cannot run 32-bit code: $probe"
  exit 77
fi
exec "$loader" "$@"
