#!/usr/bin/env bash
# Builds the shipped 32-bit program a second time, from a copy of the sources in another
# folder, and compares it byte for byte with build/windows-x86: the same sources must give the
# same program, wherever and whenever they are built.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
first="build/windows-x86/Dide Quorvel.exe"
[ -f "$first" ] || { echo "build the windows-x86 preset first" >&2; exit 1; }
copy=build/reproducible/sources
rm -rf "$copy"
mkdir -p "$copy"
git ls-files -z | xargs -0 cp --parents -t "$copy"
(cd "$copy" && cmake --preset windows-x86 >/dev/null && cmake --build --preset windows-x86 --target DideQuorvel >/dev/null)
second="$copy/build/windows-x86/Dide Quorvel.exe"
if cmp "$first" "$second"; then
  echo "reproducible: $(sha256sum "$first" | cut -d' ' -f1)  Dide Quorvel.exe (i686), built twice in two folders"
else
  echo "NOT reproducible: $first and $second differ" >&2
  exit 1
fi
