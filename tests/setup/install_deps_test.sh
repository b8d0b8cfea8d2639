#!/usr/bin/env bash
# scripts/install-deps.sh against stand-in apt-get, dpkg, dpkg-query, id, sudo and sleep, first
# and alone on PATH with the few ordinary tools the script uses: the real apt is never reached.
# The stand-ins answer as Debian's do on a machine whose bookworm-security i386 index a mirror
# serves mid-sync, and record every change asked of them.
set -euo pipefail
script=$(cd "$(dirname "$0")/../.." && pwd)/scripts/install-deps.sh
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/bin" "$tmp/sudo" "$tmp/tools"
for tool in grep sed sort paste find date cat rm mkdir; do
  ln -s "$(command -v "$tool")" "$tmp/tools/$tool"
done

# STUB_MISSING, STUB_REFUSE, STUB_UNKNOWN: comma-separated packages; STUB_ARCHS: foreign
# architectures; STUB_UPDATE_FAILS: how many updates fail; STUB_UID: the user's id.
cat >"$tmp/bin/dpkg-query" <<'EOF'
#!/bin/sh
eval "pkg=\${$#}"
case ",$STUB_MISSING," in *",$pkg,"*) echo "dpkg-query: no packages found matching $pkg" >&2; exit 1 ;; esac
printf 'install ok installed'
EOF
cat >"$tmp/bin/dpkg" <<'EOF'
#!/bin/bash
case $1 in
  --print-foreign-architectures) [ -z "${STUB_ARCHS:-}" ] || echo "$STUB_ARCHS" ;;
  --add-architecture) echo "${STUB_VIA:-}dpkg --add-architecture $2" >>"$STUB_LOG" ;;
  *) exit 2 ;;
esac
EOF
cat >"$tmp/bin/apt-get" <<'EOF'
#!/bin/bash
case $1 in
  update)
    echo "${STUB_VIA:-}update" >>"$STUB_LOG"
    if [ "$(grep -c 'update$' "$STUB_LOG")" -le "${STUB_UPDATE_FAILS:-0}" ]; then
      cat >&2 <<'APT'
E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 203.0.113.80 80]
   Hashes of expected file:
    - Filesize:376004 [weak]
    - SHA256:5aa58ea44688978d17b28ffab762d89251fefc64aa2548ac43e228e5fd91d903
   Release file created at: Mon, 07 Dec 2026 23:22:40 +0000
E: Some index files failed to download. They have been ignored, or old ones used instead.
APT
      exit 100
    fi ;;
  install)
    shift
    pkgs=()
    for a; do [ "${a#-}" = "$a" ] && pkgs+=("$a"); done
    echo "${STUB_VIA:-}install ${pkgs[*]}" >>"$STUB_LOG"
    for p in "${pkgs[@]}"; do
      case ",${STUB_UNKNOWN:-}," in *",$p,"*) echo "E: Unable to locate package $p" >&2; exit 100 ;; esac
      case ",${STUB_REFUSE:-}," in *",$p,"*)
        # What apt -qq says when the i386 twins of the amd64 libraries are in no index.
        echo "E: Error, pkgProblemResolver::Resolve generated breaks, this may be caused by held packages." >&2
        exit 100 ;;
      esac
    done ;;
  *) exit 2 ;;
esac
EOF
printf '#!/bin/sh\necho "${STUB_UID:-1000}"\n' >"$tmp/bin/id"
printf '#!/bin/sh\n' >"$tmp/bin/sleep"
printf '#!/bin/bash\nSTUB_VIA="sudo " exec "$@"\n' >"$tmp/sudo/sudo"
chmod +x "$tmp"/bin/* "$tmp/sudo/sudo"

index=bookworm-security/main/binary-i386/Packages.xz
stamp=$tmp/home/.cache/dide-quorvel/wine32-not-installable
# name | argument | stand-ins' settings | before | status | calls | output (lines joined by " / ")
cases="
everything installed: no apt, no root|test|STUB_UID=1000|:|0||^$
index fails, 32-bit side refused|test|STUB_UID=0 STUB_ARCHS=i386 STUB_MISSING=wine32:i386 STUB_UPDATE_FAILS=9 STUB_REFUSE=wine32:i386|:|0|update, update, update, install wine32:i386|^apt-get update could not fetch $index \(File has unexpected size \(374820 != 376004\)\. Mirror sync in progress\?\); going on with the other indexes\. / Wine's 32-bit side \(wine32:i386\) is not installed: its dependencies are in no index while $index cannot be fetched; the 64-bit build carries every test\.$
the same within the hour: no apt, one line|test|STUB_UID=0 STUB_ARCHS=i386 STUB_MISSING=wine32:i386 STUB_UPDATE_FAILS=9 STUB_REFUSE=wine32:i386|:|0||^Wine's 32-bit side \(wine32:i386\) is not installed: its dependencies are in no index while $index cannot be fetched \(so found at [0-9:]+; a run an hour after that tries again\); the 64-bit build carries every test\.$
new machine within the hour: i386 added, the rest installed|run|STUB_UID=0 STUB_MISSING=wine,fonts-wine,wine32:i386 STUB_UPDATE_FAILS=9 STUB_REFUSE=wine32:i386|:|0|dpkg --add-architecture i386, update, update, update, install wine fonts-wine, install wine32:i386|^apt-get update could not fetch $index .* / Wine's 32-bit side .*in no index while $index cannot be fetched; the 64-bit build carries every test\.$
an hour later the mirror is back: quiet|test|STUB_UID=0 STUB_ARCHS=i386 STUB_MISSING=wine32:i386 STUB_UPDATE_FAILS=1|touch -d '61 minutes ago' \"\$stamp\"|0|update, update, install wine32:i386|^$
any other package that cannot be installed is fatal|test|STUB_UID=0 STUB_ARCHS=i386 STUB_MISSING=xvfb STUB_UNKNOWN=xvfb|:|100|update, install xvfb|^E: Unable to locate package xvfb$
no root, no sudo, only the 32-bit side missing|test|STUB_UID=1000 STUB_ARCHS=i386 STUB_MISSING=wine32:i386|:|0||^Wine's 32-bit side \(wine32:i386\) is not installed: installing it needs root, and sudo is not installed; the 64-bit build carries every test\.$
no root, no sudo, more missing|run|STUB_UID=1000 STUB_ARCHS=i386 STUB_MISSING=cmake,wine32:i386|:|1||^Missing: cmake wine32:i386; installing needs root, and sudo is not installed\.$
through sudo|test|STUB_UID=1000 STUB_SUDO=1 STUB_ARCHS=i386 STUB_MISSING=xdotool|:|0|sudo update, sudo install xdotool|^$
"
failures=0
while IFS='|' read -r name arg settings before status calls output; do
  [ -n "$name" ] || continue
  : >"$tmp/log"
  eval "$before"
  path=$tmp/bin:$tmp/tools
  case " $settings " in *" STUB_SUDO=1 "*) path=$tmp/bin:$tmp/sudo:$tmp/tools ;; esac
  got_status=0
  got=$(env -i HOME="$tmp/home" PATH="$path" STUB_LOG="$tmp/log" $settings /bin/bash "$script" "$arg" 2>&1) ||
    got_status=$?
  got_calls=$(paste -sd , "$tmp/log" | sed 's/,/, /g')
  got_output=$(printf '%s\n' "$got" | sed ':a;N;$!ba;s|\n| / |g')
  if [ "$got_status" != "$status" ] || [ "$got_calls" != "$calls" ] || ! grep -Eq -- "$output" <<<"$got_output"; then
    printf 'FAIL: %s\n  status %s (want %s)\n  calls  %s\n  want   %s\n  output %s\n  want   %s\n' \
      "$name" "$got_status" "$status" "$got_calls" "$calls" "$got_output" "$output"
    failures=$((failures + 1))
  fi
done <<<"$cases"
[ "$failures" -eq 0 ] || exit 1
