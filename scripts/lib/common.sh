# Shared set-up of the README's commands: packages, build, the private Wine prefix.
# Sourced by scripts/demo and scripts/test; everything is idempotent.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD="$ROOT/build"
export WINEPREFIX="$BUILD/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINE=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver

# clang and its libFuzzer runtime (only recommended by clang, so named here) for the fuzz targets;
# locales for the sources of the Japanese locale that the double-byte code page test compiles.
PACKAGES=(wine64 libwine-dev g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools
          cmake ninja-build googletest g++ clang libclang-rt-14-dev python3 locales)

log() { printf '== %s\n' "$*" >&2; }

ensure_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

build_x64() {
  mkdir -p "$BUILD"
  log "building (x64)"
  cmake --preset x64 >"$BUILD/configure-x64.log" 2>&1 || { cat "$BUILD/configure-x64.log"; return 1; }
  cmake --build --preset x64 >"$BUILD/build-x64.log" 2>&1 || { grep -E 'error|Error' "$BUILD/build-x64.log" | head -40; return 1; }
}

build_x86() {
  mkdir -p "$BUILD"
  log "building (x86, compile check)"
  cmake --preset x86 >"$BUILD/configure-x86.log" 2>&1 || { cat "$BUILD/configure-x86.log"; return 1; }
  cmake --build --preset x86 >"$BUILD/build-x86.log" 2>&1 || { grep -E 'error|Error' "$BUILD/build-x86.log" | head -40; return 1; }
}

# The libFuzzer targets of tests/fuzz (native, clang), in build/fuzz. Extra arguments go to the
# configuration (such as -DDOCKET_FUZZ_BUDGET=seconds).
build_fuzz() {
  mkdir -p "$BUILD"
  cmake -S "$ROOT/tests/fuzz" -B "$BUILD/fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ "$@" \
    >"$BUILD/fuzz-configure.log" 2>&1 || { cat "$BUILD/fuzz-configure.log"; return 1; }
  cmake --build "$BUILD/fuzz" -j2 >"$BUILD/fuzz-build.log" 2>&1 ||
    { grep -E -A3 'error' "$BUILD/fuzz-build.log" | head -40; return 1; }
}

# Creates the private prefix on first use and keeps a persistent server for the run.
start_wine() {
  mkdir -p "$BUILD"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    log "creating Wine prefix $WINEPREFIX"
    "$WINE" wineboot -i >"$BUILD/wineboot.log" 2>&1
    "$WINESERVER" -w
  fi
  "$WINESERVER" -p 2>/dev/null || true  # one already running serves as well
}

stop_wine() { "$WINESERVER" -k 2>/dev/null || true; }

# Unix path -> the Z: path Wine programs see.
winpath() { printf 'Z:%s' "$(readlink -f "$1" | tr '/' '\\')"; }

# Runs a Wine program with its output in a file (never a pipe: services Wine starts would hold
# it open), then shows the output and returns the program's exit code.
wine_run() {
  local out rc
  out=$(mktemp)
  "$WINE" "$@" >"$out" 2>&1
  rc=$?
  cat "$out"
  rm -f "$out"
  return $rc
}

register_module() {
  wine_run regsvr32 /s "$(winpath "$BUILD/x64/bin/DocketMod.dll")"
}
