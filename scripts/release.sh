#!/usr/bin/env bash
# Builds the 32-bit and 64-bit programs and packs them into one ZIP with their SHA-256 sums:
#   build/release/DideQuorvel-1.0.0.2.zip   x86/Dide Quorvel.exe, x64/Dide Quorvel.exe, SHA256SUMS
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/build.sh
quorvel_build windows-x86 DideQuorvel
quorvel_build windows-x64 DideQuorvel

version=$(sed -n 's/^project(DideQuorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
stage="build/release/DideQuorvel-$version"
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage/x86" "$stage/x64"
cp "build/windows-x86/Dide Quorvel.exe" "$stage/x86/"
cp "build/windows-x64/Dide Quorvel.exe" "$stage/x64/"
(cd "$stage" && sha256sum "x86/Dide Quorvel.exe" "x64/Dide Quorvel.exe" > SHA256SUMS)
(cd build/release && cmake -E tar cf "DideQuorvel-$version.zip" --format=zip "DideQuorvel-$version")
(cd build/release && sha256sum "DideQuorvel-$version.zip" > "DideQuorvel-$version.zip.sha256")
echo "build/release/DideQuorvel-$version.zip"
cat "$stage/SHA256SUMS"
