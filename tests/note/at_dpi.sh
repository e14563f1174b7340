#!/bin/sh
# Runs a test program with the Wine prefix's screen set to the given dots per
# inch, and puts the prefix back to 96 afterwards whatever the outcome.
#   at_dpi.sh <dpi> <program> [arguments...]
set -u
dpi=$1; shift
WINE=${SCRIVLET_WINE:-/usr/lib/wine/wine64}
set_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  "$WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
}
set_dpi "$dpi"
"$WINE" "$@"
status=$?
set_dpi 96
exit $status
