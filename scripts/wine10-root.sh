#!/usr/bin/env bash
# Wine 10 beside the system's Wine 8: a Debian 13 root, built from the Debian
# archive apt already uses, into a folder of its own; nothing on the host changes.
#   wine10-root.sh build DIR          (root) build DIR/root; nothing to do when done before
#   wine10-root.sh session DIR CMD... (root) run CMD in a private mount namespace in
#                                     which DIR/root sees this machine's /proc, /dev, /sys,
#                                     /tmp and the source and build folders at their own
#                                     paths, with the root's own Xvfb as DISPLAY
# Inside a session, scripts/wine10 runs a command in the root. The mounts live only as long
# as the namespace's last process, so nothing is ever left mounted on the host.
set -euo pipefail
source "$(dirname "$0")/lib.sh"
# Wine's X11 driver and TLS libraries are recommendations of its packages, which a minimal
# root leaves out; mount makes the tmpfs of the text-file tests' full disk.
ROOT_PACKAGES=(wine64 wine fonts-wine xvfb mount libfreetype6 libfontconfig1 libxcomposite1 libxcursor1
  libxfixes3 libxi6 libxinerama1 libxrandr2 libxrender1 libxxf86vm1 libgnutls30t64 libdbus-1-3)

build() {
  local dir=$1 packages="${ROOT_PACKAGES[*]}"
  # The marker holds what was installed: another package list builds again.
  [ "$(cat "$dir/.complete" 2>/dev/null)" = "$packages" ] && return 0
  if [ "$(id -u)" != 0 ]; then
    log "not root: no Debian 13 root for Wine 10, the _wine10 tests skip"; return 0
  fi
  log "building a Debian 13 root with Wine 10 into $dir (about 250 MB to download)"
  rm -rf "$dir"
  mkdir -p "$dir"
  mmdebstrap --variant=minbase --include="${packages// /,}" \
    --aptopt='APT::Install-Recommends "false"' \
    --dpkgopt='path-exclude=/usr/share/man/*' --dpkgopt='path-exclude=/usr/share/doc/*' \
    trixie "$dir/root" \
    "deb [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] $(debian_mirror) trixie main" \
    >"$dir/build.log" 2>&1 || { tail -40 "$dir/build.log"; return 1; }
  echo "$packages" >"$dir/.complete"
  log "Wine 10 root: wine64 $(dpkg-query --admindir="$dir/root/var/lib/dpkg" -W -f='${Version}' wine64)"
}

# Why DIR's root cannot run here, or nothing when it can.
unavailable() {
  local dir=$1
  [ -f "$dir/.complete" ] || { echo "no Wine 10 root in $dir (scripts/setup builds it, as root)"; return; }
  [ "$(id -u)" = 0 ] || { echo "entering the Wine 10 root needs root"; return; }
  unshare --mount --propagation private true 2>/dev/null ||
    { echo "no private mount namespace (unshare --mount) for the Wine 10 root's mounts"; return; }
  chroot "$dir/root" /bin/true 2>/dev/null || { echo "chroot does not work here"; return; }
}

session() {
  local dir reason
  dir=$(cd "$1" 2>/dev/null && pwd) || dir=$1
  shift
  reason=$(unavailable "$dir")
  if [ -n "$reason" ]; then
    # The command still runs: scripts/wine10 reports each of its tests as skipped.
    log "$reason: the _wine10 tests skip"
    SCRIVLET_WINE10_SESSION="unavailable: $reason" "$@"
    return
  fi
  unshare --mount --propagation private -- "$0" inside "$dir" "$@"
}

# In the private namespace: mounts, Xvfb, the command, then every process left in the root.
inside() {
  # Global: the EXIT trap reads it after this function has ended.
  WINE10_ROOT=$1/root
  local dir=$1 root=$WINE10_ROOT n xvfb=
  shift
  local folder
  for folder in /proc /sys /dev /tmp; do
    mount --rbind "$folder" "$root$folder"
  done
  # After /tmp, which may hold them.
  for folder in "$ROOT" "$BUILD"; do
    mkdir -p "$root$folder"
    mount --bind "$folder" "$root$folder"
  done
  trap stop_root EXIT
  trap 'exit 130' INT TERM
  for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    chroot "$root" /usr/bin/Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$dir/xvfb.log" 2>&1 &
    xvfb=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && break 2
      kill -0 "$xvfb" 2>/dev/null || break
      sleep 0.1
    done
    xvfb=
  done
  [ -n "$xvfb" ] || { log "could not start the Wine 10 root's Xvfb"; cat "$dir/xvfb.log"; return 1; }
  log "Wine 10 on its own Xvfb :$n"
  DISPLAY=:$n SCRIVLET_WINE10_SESSION=$dir "$@"
}

stop_root() {
  local pid
  for pid in $(root_processes "$WINE10_ROOT"); do kill "$pid" 2>/dev/null || true; done
  sleep 1
  for pid in $(root_processes "$WINE10_ROOT"); do kill -9 "$pid" 2>/dev/null || true; done
}

# The processes whose root is the Wine 10 root: its Xvfb, wineservers and Wine's own programs.
root_processes() {
  local root p
  root=$(readlink -f "$1")
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && echo "${p#/proc/}"
  done
  return 0
}

case ${1:-} in
  build) build "$2" ;;
  session) shift; session "$@" ;;
  inside) shift; inside "$@" ;;
  *) sed -n '2,10p' "$0" >&2; exit 2 ;;
esac
