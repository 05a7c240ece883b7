#!/usr/bin/env bash
# Permission entries and accounts through Wine's stock cscript on the older system versions (the
# smoke test runs permissions.vbs on Wine's default): copies of cscript that Wine shows NT 4 and
# Windows 2000, a version set for the copy's file name alone, so that no other program sees it.
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
for branch in 4:nt40 5:win2k; do
  version=${branch%%:*} name="docket_cscript_${branch#*:}_$$.exe"
  copies+=("$name")
  cp "$WINEPREFIX/drive_c/windows/system32/cscript.exe" "$work/$name"
  "$WINE" reg add "HKCU\\Software\\Wine\\AppDefaults\\$name" /v Version /d "${branch#*:}" /f \
    >"$work/reg.log" 2>&1
  mkdir "$work/scratch-$version"
  DOCKET_SYSTEM_VERSION=$version "$WINE" "$(winpath "$work/$name")" //nologo "$script" \
    "$(winpath "$work/scratch-$version")" >"$work/answers-$version.txt" 2>&1
  if [ "$(tr -d '\r' <"$work/answers-$version.txt")" = done ]; then
    echo "ok: system version $version"
  else
    echo "FAIL: system version $version"
    cat "$work/answers-$version.txt"
    fails=$((fails + 1))
  fi
done
[ "$fails" -eq 0 ]
