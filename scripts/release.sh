#!/usr/bin/env bash
# Builds the 32-bit and 64-bit programs and packs them into one ZIP with their SHA-256 sums:
#   build/release/DideQuorvel-1.0.0.2.zip   x86/Dide Quorvel.exe, x64/Dide Quorvel.exe, SHA256SUMS
# The same commit gives the same bytes: the programs carry no time stamp, and the ZIP's entries
# carry the commit's time (or SOURCE_DATE_EPOCH) and fixed permissions, in a fixed order.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source scripts/build.sh
quorvel_build windows-x86 DideQuorvel
quorvel_build windows-x64 DideQuorvel
bash scripts/check-reproducible.sh

version=$(sed -n 's/^project(DideQuorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
epoch=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
stage="build/release/DideQuorvel-$version"
rm -rf "$stage" "$stage.zip"
mkdir -p "$stage/x86" "$stage/x64"
cp "build/windows-x86/Dide Quorvel.exe" "$stage/x86/"
cp "build/windows-x64/Dide Quorvel.exe" "$stage/x64/"
(cd "$stage" && sha256sum "x86/Dide Quorvel.exe" "x64/Dide Quorvel.exe" > SHA256SUMS)
/usr/bin/python3 - "$stage" "$epoch" <<'PY'
import os, sys, time, zipfile
stage, epoch = sys.argv[1], int(sys.argv[2])
stamp = time.gmtime(max(epoch, 315532800))[:6]  # ZIP times start in 1980
base = os.path.basename(stage)
with zipfile.ZipFile(stage + ".zip", "w", zipfile.ZIP_DEFLATED) as archive:
    for name in ("SHA256SUMS", "x64/Dide Quorvel.exe", "x86/Dide Quorvel.exe"):
        entry = zipfile.ZipInfo(f"{base}/{name}", stamp)
        entry.external_attr = 0o644 << 16
        entry.compress_type = zipfile.ZIP_DEFLATED
        with open(os.path.join(stage, name), "rb") as f:
            archive.writestr(entry, f.read(), compresslevel=9)
PY
(cd build/release && sha256sum "DideQuorvel-$version.zip" > "DideQuorvel-$version.zip.sha256")
echo "build/release/DideQuorvel-$version.zip"
cat "$stage/SHA256SUMS" "build/release/DideQuorvel-$version.zip.sha256"
