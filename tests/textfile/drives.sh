#!/bin/sh
# Fixture of the text-file tests. "up" makes a private copy of the tests' Wine
# prefix with two more drives, E:, a CD-ROM drive (a folder with one text file,
# typed "cdrom" in the registry), and T:, a 64 KB tmpfs where a disk is full
# within a few writes, a folder "C:\textfile many" of 20 000 text files and a
# folder "C:\textfile links" with a symbolic link.
# "down" stops that prefix's wineserver and removes the prefix, the mount and
# the folders again. Mounting needs root; without it T: is left out and the
# tests that need it are skipped.
# Usage: drives.sh up|down SOURCE_PREFIX PRIVATE_PREFIX WORK_FOLDER
set -eu
action=$1 source=$2 prefix=$3 work=$4
case $prefix in */textfile-wineprefix) ;; *) echo "unexpected prefix $prefix" >&2; exit 2 ;; esac
case $work in */textfile-drives) ;; *) echo "unexpected folder $work" >&2; exit 2 ;; esac
W=${SCRIVLET_WINE:-/usr/lib/wine/wine64}
S=/usr/lib/wine/wineserver
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

remove() {
  if [ -d "$prefix" ]; then
    WINEPREFIX=$prefix "$S" -k 2>/dev/null || true
    WINEPREFIX=$prefix "$S" -w 2>/dev/null || true
  fi
  if mountpoint -q "$work/tmpfs" 2>/dev/null; then
    umount "$work/tmpfs" 2>/dev/null || umount -l "$work/tmpfs"
  fi
  rm -rf "$prefix" "$work"
}

case $action in
  down) remove; echo "textfile drives removed"; exit 0 ;;
  up) remove  # leftovers of an interrupted run
      # A Wine that cannot run here ends the setup with its status (77: skipped). Asked in the
      # source prefix: the 32-bit Wine prepares the prefix it is given, which must not exist yet.
      WINEPREFIX=$source "$W" --version >/dev/null ;;
  *) echo "usage: $0 up|down SOURCE_PREFIX PRIVATE_PREFIX WORK_FOLDER" >&2; exit 2 ;;
esac

mkdir -p "$work/cdrom" "$work/tmpfs"
printf 'on the disc\r\n' >"$work/cdrom/disc note.txt"
# The running wineserver writes the registry to its files only every 30 s and when it stops:
# stop the source's for the copy, else the copy may hold a value a test before has already set
# back (such as the 144 dots per inch of the note's DPI tests).
WINEPREFIX=$source "$S" -k 2>/dev/null || true
WINEPREFIX=$source "$S" -w
cp -a "$source" "$prefix"
WINEPREFIX=$source sh "$(dirname "$0")/../../scripts/wine-up.sh"
rm -f "$prefix/dosdevices/e:" "$prefix/dosdevices/t:"
ln -s "$work/cdrom" "$prefix/dosdevices/e:"
if mount -t tmpfs -o size=64k,mode=0777 scrivlet-full "$work/tmpfs" 2>"$work/mount.log"; then
  ln -s "$work/tmpfs" "$prefix/dosdevices/t:"
  echo "T: is a 64 KB tmpfs"
else
  echo "no tmpfs ($(cat "$work/mount.log")): T: is left out"
fi
# All Wine commands get </dev/null >/dev/null: the wineserver inherits stdio,
# and CTest waits until every holder of its output pipe has exited.
WINEPREFIX=$prefix "$W" reg add 'HKLM\Software\Wine\Drives' /v e: /d cdrom /f </dev/null >/dev/null 2>&1
# A folder of 20 000 text files, made here in a second rather than through Wine in minutes.
mkdir -p "$prefix/drive_c/textfile many"
(cd "$prefix/drive_c/textfile many" && seq -f 'note %05g.txt' 0 19999 | tr '\n' '\0' | xargs -0 touch)
# A text file and a symbolic link to it: saving over the link writes the file.
mkdir -p "$prefix/drive_c/textfile links"
ln -s target.txt "$prefix/drive_c/textfile links/linked.txt"
# Drive types are read when the prefix starts: restart it.
WINEPREFIX=$prefix "$S" -k 2>/dev/null || true
WINEPREFIX=$prefix "$S" -w
WINEPREFIX=$prefix sh "$(dirname "$0")/../../scripts/wine-up.sh"
