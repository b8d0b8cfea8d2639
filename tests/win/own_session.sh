#!/bin/sh
# Runs a Windows program in a Wine session of its own: a prefix beside the session's, sharing its
# drive but with registry files of its own, and so a wineserver of its own, which is ended
# afterwards. What the program changes for the rest of a session (SetSysColors) ends with it.
#   own_session.sh WINE PROGRAM ARGS...
own=$(mktemp -d)
cp -a "$WINEPREFIX"/*.reg "$WINEPREFIX"/.update-timestamp "$WINEPREFIX/dosdevices" "$own/"
ln -s "$WINEPREFIX/drive_c" "$own/drive_c"
WINEPREFIX=$own "$@"
status=$?
[ $status -eq 0 ] || echo "own_session.sh: $1 ended with $status in a prefix holding: $(ls -A "$own")" >&2
WINEPREFIX=$own /usr/lib/wine/wineserver -k
rm -rf "$own"
exit $status
