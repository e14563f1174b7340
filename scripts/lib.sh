# Shared by the scripts: paths, a private X display and a private Wine prefix.
# Source it; it defines functions and never starts anything by itself.
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${SCRIVLET_BUILD:-$ROOT/build}
WINE=/usr/lib/wine/wine64
WINESERVER=/usr/lib/wine/wineserver
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

log() { printf '[scrivlet] %s\n' "$*"; }

# The address of the Debian 12 archive this machine already uses.
debian_mirror() {
  local uri
  uri=$(awk '/^URIs:/{u=$2} /^Suites:/ && / bookworm( |$)/{print u; exit}' /etc/apt/sources.list.d/*.sources 2>/dev/null || true)
  [ -n "$uri" ] || uri=$(awk '$1=="deb" && $3=="bookworm" {print $2; exit}' \
    /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null || true)
  [ -n "$uri" ] || { log "no Debian 12 (bookworm) archive is configured for apt"; return 1; }
  echo "$uri"
}

# Configures and builds one flavour: native | win64 | win32 | clang64; BUILD_TARGETS
# narrows the build to some targets.
build_flavour() {
  local flavour=$1 dir=$BUILD/$1; shift
  local args=(-G Ninja -DCMAKE_BUILD_TYPE=Release)
  case $flavour in
    native) args+=(-DSCRIVLET_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug) ;;
    win64) args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake") ;;
    win32) args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-i686.cmake") ;;
    clang64) args+=(-DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/clang-mingw-w64-x86_64.cmake") ;;
  esac
  log "building $flavour"
  cmake -S "$ROOT" -B "$dir" "${args[@]}" "$@" >"$BUILD/configure-$flavour.log" 2>&1 ||
    { cat "$BUILD/configure-$flavour.log"; return 1; }
  local targets=()
  for t in ${BUILD_TARGETS:-}; do targets+=(--target "$t"); done
  cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
}

# Starts Xvfb on the first free display and exports DISPLAY; XVFB_PID is its PID.
start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >"$BUILD/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; log "Xvfb on :$n"; return 0; }
      kill -0 "$XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
  done
  log "could not start Xvfb"; return 1
}

stop_xvfb() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
  XVFB_PID=
  return 0
}

# Stops the wineserver of our own prefix only.
stop_wine() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    WINEPREFIX=$WINEPREFIX "$WINESERVER" -k 2>/dev/null || true
  fi
  return 0
}
