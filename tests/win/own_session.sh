#!/bin/sh
# own_session.sh WINE PROGRAM ARGS...: in a prefix beside the session's, sharing its drive, with a registry
# and so a wineserver of its own, ended afterwards with whatever outlasts a program (SetSysColors).
own=$(mktemp -d)
cp -a "$WINEPREFIX"/*.reg "$WINEPREFIX"/.update-timestamp "$WINEPREFIX/dosdevices" "$own/"
ln -s "$WINEPREFIX/drive_c" "$own/drive_c"
WINEPREFIX=$own "$@"
status=$?
[ $status -eq 0 ] || echo "own_session.sh: $1 ended with $status in a prefix holding: $(ls -A "$own")" >&2
WINEPREFIX=$own /usr/lib/wine/wineserver -k
rm -rf "$own"
exit $status
