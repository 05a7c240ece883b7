#!/usr/bin/env bash
# Permission entries and accounts through Wine's stock cscript on each system-version branch:
# the default (Windows 7), and copies of cscript that Wine shows NT 4 and Windows 2000 (a version
# set for the copy's file name alone, so that no other program in the prefix sees it).
# Usage: permissions.test.sh <x64 build folder>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
script=$(winpath "$(dirname "${BASH_SOURCE[0]}")/permissions.vbs")
work=$(mktemp -d "$BUILD/permissions.XXXXXX")
copies=()
cleanup() {
  for name in "${copies[@]}"; do
    "$WINE" reg delete "HKCU\\Software\\Wine\\AppDefaults\\$name" /f >/dev/null 2>&1
  done
  rm -rf "$work"
}
trap cleanup EXIT

fails=0
# run <major version> <cscript program>
run() {
  local out="$work/answers-$1.txt" scratch="$work/scratch-$1"
  mkdir -p "$scratch"
  "$WINE" "$2" //nologo "$script" "$1" "$(winpath "$scratch")" >"$out" 2>&1
  if [ "$(tr -d '\r' <"$out")" = done ]; then
    echo "ok: system version $1"
  else
    echo "FAIL: system version $1"
    cat "$out"
    fails=$((fails + 1))
  fi
}

run 6 cscript
for branch in 4:nt40 5:win2k; do
  name="docket_cscript_${branch#*:}_$$.exe"
  copies+=("$name")
  cp "$WINEPREFIX/drive_c/windows/system32/cscript.exe" "$work/$name"
  "$WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name" /v Version /d "${branch#*:}" /f \
    >"$work/reg.log" 2>&1
  run "${branch%%:*}" "$(winpath "$work/$name")"
done
[ "$fails" -eq 0 ]
