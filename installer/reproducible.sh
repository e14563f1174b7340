#!/usr/bin/env bash
# The release is reproducible: scripts/package, run in two copies of this checkout's sources in
# two different folders (the second below a folder with a blank and one named "src"), writes the
# same bytes, and every date in it is the commit's. A copy is no git checkout, so it also shows
# that the package then takes its date from SOURCE_DATE_EPOCH and refuses without it.
#   reproducible.sh <work folder>
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 work-folder" >&2; exit 2; }
root=$(cd "$(dirname "$0")/.." && pwd)
work=$1
git -C "$root" rev-parse --git-dir >/dev/null 2>&1 || { echo "not a git checkout: skipped"; exit 77; }
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git -C "$root" log -1 --format=%ct)}
unset SCRIVLET_BUILD

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

rm -rf "$work"
one=$work/one/scrivlet two="$work/two and more/src/scrivlet"
for copy in "$one" "$two"; do
  mkdir -p "$copy"
  # The sources as they are in the checkout, committed or not; no build or dist folders.
  (cd "$root" && git ls-files -z --cached --others --exclude-standard | xargs -0 cp --parents -t "$copy")
done

if env -u SOURCE_DATE_EPOCH "$one/scripts/package" >"$work/no-date.log" 2>&1; then
  fail "the package was made outside a git checkout without SOURCE_DATE_EPOCH"
fi
for copy in "$one" "$two"; do
  echo "-- packaging in $copy"
  "$copy/scripts/package" >"$copy.log" 2>&1 || { tail -30 "$copy.log"; exit 1; }
done

(cd "$one/dist" && sha256sum --quiet -c SHA256SUMS) || fail "dist/SHA256SUMS does not match the files"
[ "$(wc -l <"$one/dist/SHA256SUMS")" = 4 ] || fail "dist/SHA256SUMS does not list two zips and two installers"
while read -r _ file; do
  cmp -s "$one/dist/$file" "$two/dist/$file" || fail "$file differs between the two folders"
done <"$one/dist/SHA256SUMS"
cmp -s "$one/dist/SHA256SUMS" "$two/dist/SHA256SUMS" || fail "SHA256SUMS differs between the two folders"

# The dates inside: the programs' PE headers and the zip entries carry the commit's date.
want_pe=$(printf '%08x' "$SOURCE_DATE_EPOCH")
# zip keeps two-second times, an odd second rounded up: compare to the minute.
want_zip=$(TZ=UTC date -d "@$SOURCE_DATE_EPOCH" +%Y%m%d.%H%M)
want_zip_up=$(TZ=UTC date -d "@$((SOURCE_DATE_EPOCH + 1))" +%Y%m%d.%H%M)
for zip in "$one"/dist/*.zip; do
  name=$(basename "$zip" .zip)
  unzip -p "$zip" "$name/Scrivlet.exe" >"$work/Scrivlet.exe"
  # The PE header's time stamp: 4 bytes at offset 8 of the COFF header, after "PE\0\0".
  pe=$(od -An -tu4 -j 60 -N 4 "$work/Scrivlet.exe" | tr -d ' ')
  got_pe=$(od -An -tx4 -j $((pe + 8)) -N 4 "$work/Scrivlet.exe" | tr -d ' ')
  [ "$got_pe" = "$want_pe" ] || fail "$name/Scrivlet.exe's time stamp is 0x$got_pe, not the commit's 0x$want_pe"
  dates=$(zipinfo -T "$zip" | awk '$1 ~ /^[-d][-r]/ {print substr($7, 1, 13)}' | sort -u)
  [ -n "$dates" ] && [ -z "$(grep -vxF -e "$want_zip" -e "$want_zip_up" <<<"$dates")" ] ||
    fail "$name.zip's entries are dated ${dates//$'\n'/ }, not the commit's $want_zip"
done

if [ $failures -ne 0 ]; then
  echo "$failures check(s) failed; logs beside $one and $two" >&2
  exit 1
fi
echo "the release is reproducible; both folders wrote:"
cat "$one/dist/SHA256SUMS"
rm -rf "$work"
