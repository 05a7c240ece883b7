#!/usr/bin/env bash
# permissions.vbs on NT 4 and Windows 2000 (smoke.test.sh runs it on Wine's default): copies of
# cscript with a Wine version set for the copy's name alone.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
script=$(dirname "${BASH_SOURCE[0]}")/permissions.vbs
work=$(mktemp -d "$BUILD/permissions.XXXXXX")
copies=()
cleanup() {
  for name in "${copies[@]}"; do
    "$WINE" reg delete "HKCU\\Software\\Wine\\AppDefaults\\$name" /f >/dev/null 2>&1
  done
  rm -rf "$work"
}
trap cleanup EXIT

for branch in 4:nt40 5:win2k; do
  version=${branch%%:*} name="docket_cscript_${branch#*:}_$$.exe"
  copies+=("$name")
  cp "$WINEPREFIX/drive_c/windows/system32/cscript.exe" "$work/$name"
  "$WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name" /v Version /d "${branch#*:}" /f \
    >"$work/reg.log" 2>&1
  mkdir "$work/scratch-$version"
  DOCKET_SYSTEM_VERSION=$version expect_done "system version $version" "$work/answers-$version.txt" \
    "$(winpath "$work/$name")" "$script" "$(winpath "$work/scratch-$version")"
done
[ "$fails" -eq 0 ]
