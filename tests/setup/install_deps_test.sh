#!/usr/bin/env bash
# scripts/install-deps.sh against stand-ins alone on PATH (the real apt never reached), answering as
# Debian's do while a mirror serves an index mid-sync, and recording every change asked of them.
set -euo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-deps.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/bin" "$tmp/tools"
for tool in grep sed sort paste cat; do ln -s "$(command -v "$tool")" "$tmp/tools/$tool"; done

# STUB_MISSING, STUB_REFUSE (not installed, not installable), STUB_ARCHS, STUB_UPDATE_FAILS, STUB_UID.
printf '#!/bin/bash\ncase ",$STUB_MISSING," in *",${!#},"*) exit 1 ;; esac\necho install ok installed\n' >"$tmp/bin/dpkg-query"
printf '#!/bin/bash\n[ "$1" = --add-architecture ] && echo "${STUB_VIA:-}dpkg $*" >>"$STUB_LOG" || echo "${STUB_ARCHS:-}"\n' \
  >"$tmp/bin/dpkg"
cat >"$tmp/bin/apt-get" <<'STUB'
#!/bin/bash
if [ "$1" = update ]; then
  echo "${STUB_VIA:-}update" >>"$STUB_LOG"
  [ "$(grep -c 'update$' "$STUB_LOG")" -gt "${STUB_UPDATE_FAILS:-0}" ] && exit 0
  echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]" >&2
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead." >&2
  exit 100
fi
packages=$(printf '%s\n' "${@:2}" | grep -v '^-' | paste -sd ' ')
[[ " $* " = *" -s "* ]] && verb=simulate || verb=install
echo "${STUB_VIA:-}$verb $packages" >>"$STUB_LOG"
for p in $packages; do
  [[ ",${STUB_REFUSE:-}," != *",$p,"* ]] || # as apt -qq says when the i386 libraries are in no index
    { echo "E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages." >&2; exit 100; }
done
STUB
printf '#!/bin/sh\necho "${STUB_UID:-1000}"\n' >"$tmp/bin/id"
printf '#!/bin/sh\n' >"$tmp/bin/sleep"
printf '#!/bin/bash\nSTUB_VIA="sudo " exec "$@"\n' >"$tmp/bin/sudo"
chmod +x "$tmp"/bin/*

index=bookworm-security/main/binary-i386/Packages.xz
resolver="E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages\."
# name | argument | stand-ins' settings | status | calls | output (lines joined by " / ")
cases="
everything installed: no apt, no root|test|STUB_UID=1000|0||^$
index fails, 32-bit side refused|test|STUB_UID=0 STUB_MISSING=xvfb,wine32:i386 STUB_UPDATE_FAILS=9 STUB_REFUSE=wine32:i386|0|dpkg --add-architecture i386, update, update, update, install xvfb, install wine32:i386|^apt-get update could not fetch $index \(File has unexpected size \(374820 != 376004\)\. Mirror sync in progress\?\); going on with the other indexes\. / Wine's 32-bit side \(wine32:i386\) is not installed: its dependencies are in no index while $index cannot be fetched; the 64-bit build carries every test\.$
only the 32-bit side missing: the indexes at hand decide, no root|test|STUB_UID=1000 STUB_ARCHS=i386 STUB_MISSING=wine32:i386 STUB_REFUSE=wine32:i386|0|simulate wine32:i386|^Wine's 32-bit side \(wine32:i386\) is not installed: its dependencies are in no index \(an apt-get update may bring it\); the 64-bit build carries every test\.$
any other package that cannot be installed is fatal|test|STUB_UID=0 STUB_ARCHS=i386 STUB_MISSING=xvfb STUB_REFUSE=xvfb|100|update, install xvfb|^$resolver$
through sudo|test|STUB_UID=1000 STUB_ARCHS=i386 STUB_MISSING=xdotool|0|sudo update, sudo install xdotool|^$
"
failures=0
while IFS='|' read -r name arg settings status calls output; do
  [ -n "$name" ] || continue
  : >"$tmp/log"
  got_status=0
  got=$(env -i PATH="$tmp/bin:$tmp/tools" STUB_LOG="$tmp/log" $settings /bin/bash "$script" "$arg" 2>&1) || got_status=$?
  got_calls=$(paste -sd , "$tmp/log" | sed 's/,/, /g')
  got_output=$(printf '%s\n' "$got" | sed ':a;N;$!ba;s|\n| / |g')
  if [ "$got_status" != "$status" ] || [ "$got_calls" != "$calls" ] || ! grep -Eq -- "$output" <<<"$got_output"; then
    printf 'FAIL: %s\n  status %s (want %s)\n  calls  %s\n  want   %s\n  output %s\n  want   %s\n' \
      "$name" "$got_status" "$status" "$got_calls" "$calls" "$got_output" "$output"
    failures=$((failures + 1))
  fi
done <<<"$cases"
[ "$failures" -eq 0 ] || exit 1
