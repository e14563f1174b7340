#!/bin/sh
# Builds one installer with makensis: make-installer.sh <win64|win32> <version> <program file>
# <folder with the four icon files> <installer to write>. Used by scripts/package and the test.
set -eu
[ $# -eq 5 ] || { echo "usage: $0 win64|win32 version program.exe icon-folder installer.exe" >&2; exit 2; }
command -v makensis >/dev/null || { echo "makensis is missing: run scripts/setup (Debian package nsis)" >&2; exit 1; }
mkdir -p "$(dirname "$5")"
makensis -V2 -WX -NOCD -DARCH="$1" -DVERSION="$2" -DEXE="$3" -DICONDIR="$4" -DOUTFILE="$5" \
  "$(dirname "$0")/scrivlet.nsi"
