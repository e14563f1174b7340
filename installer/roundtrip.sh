#!/usr/bin/env bash
# The installer's round trip under Wine in the test prefix: a silent install for the current user
# (program folder, Start menu, uninstall entry and location all the user's own, nothing for all
# users), the installed note starting without the location question, and silent uninstalls that take the program but leave the user's notes, colours and own location.
#   roundtrip.sh <version> <folder with scrivlet.exe and the icon files> <work folder>
# Needs WINEPREFIX (with a running wineserver) and DISPLAY.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX}" "${DISPLAY:?set DISPLAY}"
[ $# -eq 3 ] || { echo "usage: $0 version program-folder work-folder" >&2; exit 2; }
version=$1 bin=$2 work=$3
here=$(cd "$(dirname "$0")" && pwd)
W=/usr/lib/wine/wine64

uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet'
machine_uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Scrivlet'
location_key='HKCU\Software\Scrivlet\Location'
color_key='HKCU\Software\Scrivlet\Color'
program_files=(Scrivlet.exe note.ico sizegrip.ico close.ico min.ico uninstall.exe)
setup=$work/scrivlet-$version-win64-setup.exe
note_pid='' dir='' shortcut=''

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
step() { echo "-- $*"; }
# Wine's output goes to a file: its system processes would hold a captured pipe open.
wine() { "$W" "$@" </dev/null >>"$work/wine.log" 2>&1; }
# Prints what Wine prints for a command, without its CR line ends.
wine_says() { "$W" "$@" </dev/null >"$work/says.out" 2>/dev/null; tr -d '\r' <"$work/says.out"; }

# Prints the data of a registry value; fails when the value is missing.
reg_value() {
  "$W" reg query "$1" /v "$2" </dev/null >"$work/reg.out" 2>/dev/null || return 1
  tr -d '\r' <"$work/reg.out" | sed -n "s/^ *$2 \{2,\}REG_[A-Z_]* \{2,\}//p"
}
expect_value() {  # key value expected
  local got
  got=$(reg_value "$1" "$2") || { fail "$1 \"$2\" is missing"; return 0; }
  [ "$got" = "$3" ] || fail "$1 \"$2\" is \"$got\", expected \"$3\""
}
expect_no_value() {
  reg_value "$1" "$2" >/dev/null && fail "$1 \"$2\" is still there"
  return 0
}

# Everything this test adds to the shared prefix goes again, also after a failed run.
clean_prefix() {
  if [ -n "$note_pid" ]; then kill "$note_pid" 2>/dev/null || true; wait "$note_pid" 2>/dev/null || true; note_pid=; fi
  wine reg delete "$uninstall_key" /f || true
  wine reg delete "$machine_uninstall_key" /f || true
  wine reg delete 'HKCU\Software\Scrivlet' /f || true
  # The uninstaller's copy of itself in the temp folder (C:\users\<name>\Temp in Wine 8); the
  # folders of the all-users installer of earlier versions.
  rm -rf "$dir" "$shortcut" "$WINEPREFIX"/drive_c/users/*/Temp/~nsu*.tmp "$WINEPREFIX"/drive_c/users/*/AppData/Local/Temp/~nsu*.tmp \
    "$WINEPREFIX/drive_c/Program Files/Scrivlet" "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Scrivlet.lnk"
}
trap clean_prefix EXIT

install_silently() {
  timeout 120 "$W" "$setup" /S </dev/null >>"$work/wine.log" 2>&1 || fail "the installer ended with $?"
}

# The uninstaller copies itself to the temp folder and returns at once; the copy does the work
# and removes the uninstall entry last.
uninstall_silently() {
  local cmd
  cmd=$(reg_value "$uninstall_key" UninstallString) || { fail "no UninstallString"; return 0; }
  [ "$cmd" = "\"$install_dir\\uninstall.exe\"" ] || fail "UninstallString is $cmd"
  wine "$install_dir\\uninstall.exe" /S || fail "the uninstaller ended with $?"
  for _ in $(seq 1 300); do
    reg_value "$uninstall_key" DisplayName >/dev/null || return 0
    sleep 0.2
  done
  fail "the uninstaller did not finish within 60 s"
}

# Starts the installed program and waits for its note; the location question must not come.
start_installed_note() {
  "$W" "$install_dir\\Scrivlet.exe" </dev/null >>"$work/wine.log" 2>&1 &
  note_pid=$!
  for _ in $(seq 1 300); do
    xwininfo -root -tree >"$work/windows.txt" 2>/dev/null || true
    if grep -q '"Please give me the Scrivlet Location."' "$work/windows.txt"; then
      fail "the installed note asked for its location"; return 0
    fi
    # The window must belong to the process started here: other notes may be open.
    while read -r id; do
      [ "$(xprop -id "$id" _NET_WM_PID 2>/dev/null | sed -n 's/.* = //p')" = "$note_pid" ] && return 0
    done < <(grep "'s Notes:\"" "$work/windows.txt" | awk '{print $1}')
    kill -0 "$note_pid" 2>/dev/null || { fail "the installed note ended by itself"; note_pid=; return 0; }
    sleep 0.2
  done
  fail "the installed note did not show within 60 s"
}

stop_note() {
  kill "$note_pid" 2>/dev/null || true
  wait "$note_pid" 2>/dev/null || true
  note_pid=
}

mkdir -p "$work"
: >"$work/wine.log"
# The user's own folders in this prefix, as Windows and as Linux paths.
local_app_data=$(wine_says cmd /c echo '%LOCALAPPDATA%')
start_menu="$(wine_says cmd /c echo '%APPDATA%')\Microsoft\Windows\Start Menu\Programs"
case $local_app_data in C:\\*) ;; *) echo "no LOCALAPPDATA in the prefix: '$local_app_data'" >&2; exit 1 ;; esac
install_dir="$local_app_data\Programs\Scrivlet"
on_c() { local p=${1#?:\\}; printf '%s' "$WINEPREFIX/drive_c/${p//\\//}"; }  # C:\a\b -> <prefix>/drive_c/a/b
dir=$(on_c "$install_dir")
shortcut=$(on_c "$start_menu\Scrivlet.lnk")
clean_prefix

step "building the installer"
"$here/make-installer.sh" win64 "$version" "$bin/scrivlet.exe" "$bin" "$setup" >"$work/makensis.log" 2>&1 ||
  { cat "$work/makensis.log"; exit 1; }
# Wine never elevates, so only the installer's manifest shows that it asks for no administrator.
grep -qa 'level="asInvoker"' "$setup" || fail "the installer asks for more than the user's rights"

step "silent install"
wine reg add "$color_key" /v BackColor /d 203 /f   # a colour chosen before
install_silently
for f in "${program_files[@]}"; do
  [ -f "$dir/$f" ] || fail "$f was not installed"
done
cmp -s "$bin/scrivlet.exe" "$dir/Scrivlet.exe" || fail "Scrivlet.exe is not the program built"
[ -f "$shortcut" ] || fail "no shortcut in the user's Start menu"
[ -e "$WINEPREFIX/drive_c/Program Files/Scrivlet" ] && fail "something went to Program Files"
expect_no_value "$machine_uninstall_key" DisplayName
expect_value "$location_key" Location "$install_dir\\Scrivlet.exe"
expect_value "$uninstall_key" DisplayName Scrivlet
expect_value "$uninstall_key" DisplayVersion "$version"
expect_value "$uninstall_key" Publisher "The Scrivlet developers"
expect_value "$uninstall_key" QuietUninstallString "\"$install_dir\\uninstall.exe\" /S"

step "the installed note starts"
start_installed_note

step "setup and uninstall refuse while the note runs"
if timeout 120 "$W" "$setup" /S </dev/null >>"$work/wine.log" 2>&1; then
  fail "the setup did not refuse"
fi
# In place (_?=) the uninstaller does its work itself, so its exit code is the outcome. It reads
# _?= unquoted to the end of its command line; Wine would quote one argument with a blank.
read -ra in_place <<<"_?=$install_dir"
if timeout 120 "$W" "$install_dir\\uninstall.exe" /S "${in_place[@]}" </dev/null >>"$work/wine.log" 2>&1; then
  fail "the uninstaller did not refuse"
fi
for f in "${program_files[@]}"; do
  [ -f "$dir/$f" ] || fail "$f went although the note was running"
done
expect_value "$uninstall_key" DisplayName Scrivlet
stop_note

step "silent uninstall keeps the user's note and colour"
printf 'milk\r\nbread\r\n' >"$dir/shopping.txt"
uninstall_silently
for f in "${program_files[@]}"; do
  [ -e "$dir/$f" ] && fail "$f is still there"
done
[ -e "$shortcut" ] && fail "the Start-menu shortcut is still there"
expect_no_value "$uninstall_key" DisplayName
[ "$(cat "$dir/shopping.txt" 2>/dev/null)" = "$(printf 'milk\r\nbread\r\n')" ] || fail "the user's note was not kept"
expect_no_value "$location_key" Location
expect_value "$color_key" BackColor 203

step "uninstall keeps a location typed for another copy and removes the emptied folder"
rm -f "$dir/shopping.txt"
install_silently
wine reg add "$location_key" /v Location /d 'D:\Tools\Scrivlet.exe' /f
uninstall_silently
[ -e "$dir" ] && fail "the emptied program folder is still there"
expect_value "$location_key" Location 'D:\Tools\Scrivlet.exe'

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed; Wine's output: $work/wine.log" >&2
  exit 1
fi
echo "installer round trip passed"
