#!/bin/sh
# Runs a test program with the Wine prefix's screen set to the given dots per
# inch, and puts the prefix back to 96 afterwards whatever the outcome.
#   at_dpi.sh <dpi> <program> [arguments...]
set -u
dpi=$1; shift
WINE=${SCRIVLET_WINE:-/usr/lib/wine/wine64}
S=/usr/lib/wine/wineserver
set_dpi() {
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  "$WINE" reg add 'HKCC\Software\Fonts' /v LogPixels /t REG_DWORD /d "$1" /f </dev/null >/dev/null 2>&1
  # On Windows a new scale counts from the next sign-in: the prefix's session starts again.
  # (Wine 8 reads it at every program's start; Wine 10's screen keeps its session's scale.)
  "$S" -k 2>/dev/null
  "$S" -w
  sh "$(dirname "$0")/../../scripts/wine-up.sh" >/dev/null
}
set_dpi "$dpi"
"$WINE" "$@"
status=$?
set_dpi 96
exit $status
