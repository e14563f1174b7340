#!/usr/bin/env bash
# The 32-bit programs on a 64-bit-only kernel: Debian 12's i386 Wine, unpacked
# (never installed) into a folder of its own, and QEMU's user-mode emulator,
# which a binfmt_misc handler makes run every i386 Linux program. The system's
# own Wine stays as it is.
#   x86-wine.sh fetch DIR       download and unpack into DIR; nothing to do when done before
#   x86-wine.sh register DIR    (root) make the kernel run i386 programs with DIR's QEMU
#   x86-wine.sh unregister      (root) take that handler away again
# scripts/wine32 then runs the 32-bit programs.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
HANDLER=scrivlet-i386
BINFMT=/proc/sys/fs/binfmt_misc
# The ELF header of an i386 executable or shared object (e_ident, e_type 2 or 3, e_machine 3).
MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
I386_PACKAGES="wine32 fonts-wine libxcomposite1 libxcursor1 libxfixes3 libxi6 libxinerama1
  libxrandr2 libxrender1 libxxf86vm1 libgnutls30 libdbus-1-3"

fetch() {
  local dir=$1
  # The marker holds what was fetched: another package list fetches again.
  [ "$(cat "$dir/.complete" 2>/dev/null)" = "$I386_PACKAGES qemu-user" ] && return 0
  log "fetching the 32-bit Wine and QEMU into $dir"
  local apt=$dir/apt root=$dir/i386root
  rm -rf "$dir"
  mkdir -p "$apt"/i386/lists/partial "$apt"/i386/archives/partial \
           "$apt"/bpo/lists/partial "$apt"/bpo/archives/partial "$apt/none" "$root" "$dir/qemu"
  # Private apt state with an empty package list: apt fetches the whole closure and installs nothing.
  : >"$apt/i386/status"; : >"$apt/bpo/status"
  cat >"$apt/i386.conf" <<EOF
APT::Architecture "i386";
APT::Architectures { "i386"; };
Dir::State "$apt/i386";
Dir::State::status "$apt/i386/status";
Dir::Cache "$apt/i386";
Dir::Cache::archives "$apt/i386/archives";
APT::Install-Recommends "false";
APT::Sandbox::User "root";
EOF
  # QEMU 10 from the backports of the same archive; Debian 12's own QEMU 7.2 is far too slow for Wine.
  echo "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $(debian_mirror) bookworm-backports main" \
    >"$apt/bpo.list"
  cat >"$apt/bpo.conf" <<EOF
Dir::Etc::sourcelist "$apt/bpo.list";
Dir::Etc::sourceparts "$apt/none";
Dir::State "$apt/bpo";
Dir::State::status "$apt/bpo/status";
Dir::Cache "$apt/bpo";
Dir::Cache::archives "$apt/bpo/archives";
APT::Sandbox::User "root";
EOF
  # shellcheck disable=SC2086
  {
    APT_CONFIG=$apt/i386.conf apt-get -q update
    APT_CONFIG=$apt/i386.conf apt-get -q -y install --download-only $I386_PACKAGES
    APT_CONFIG=$apt/bpo.conf apt-get -q update
    (cd "$apt/bpo/archives" && APT_CONFIG=$apt/bpo.conf apt-get -q download qemu-user)
  } >"$dir/fetch.log" 2>&1 || { cat "$dir/fetch.log"; return 1; }
  local deb
  for deb in "$apt"/i386/archives/*.deb; do dpkg -x "$deb" "$root"; done
  dpkg -x "$apt"/bpo/archives/qemu-user_*.deb "$dir/qemu"
  # The i386 loader's own library cache, so that it never picks the host's libraries.
  echo 'include /etc/ld.so.conf.d/*.conf' >"$root/etc/ld.so.conf"
  ldconfig -r "$root"
  rm -rf "$apt"/i386/archives/*.deb "$apt"/bpo/archives/*.deb "$apt"/i386/lists "$apt"/bpo/lists
  echo "$I386_PACKAGES qemu-user" >"$dir/.complete"
  log "32-bit Wine: $("$dir/qemu/usr/bin/qemu-i386" --version | head -1)"
}

register() {
  local qemu
  qemu=$(cd "$1" 2>/dev/null && pwd)/qemu/usr/bin/qemu-i386
  [ -x "$qemu" ] || { log "no QEMU in $1: run scripts/setup"; return 1; }
  mountpoint -q "$BINFMT" || mount -t binfmt_misc binfmt_misc "$BINFMT"
  if [ -e "$BINFMT/$HANDLER" ]; then
    grep -qxF "interpreter $qemu" "$BINFMT/$HANDLER" && grep -qx enabled "$BINFMT/$HANDLER" && return 0
    unregister
  fi
  # F: the kernel opens QEMU now, so it also serves programs in other mount namespaces.
  printf '%s' ":$HANDLER:M::$MAGIC:$MASK:$qemu:F" >"$BINFMT/register"
}

unregister() {
  if [ -e "$BINFMT/$HANDLER" ]; then echo -1 >"$BINFMT/$HANDLER"; fi
}

case ${1:-} in
  fetch) fetch "$2" ;;
  register) register "$2" ;;
  unregister) unregister ;;
  *) sed -n '2,10p' "$0" >&2; exit 2 ;;
esac
