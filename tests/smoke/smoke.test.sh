#!/usr/bin/env bash
# Installs the module with Wine's own regsvr32, drives it from Wine's stock cscript (every
# tests/smoke/*.vbs, each printing its surprises and then "done"; its arguments are a scratch
# folder and the examples folder), then unregisters it (and checks that errors then carry no
# source) and registers it again.
# Usage: smoke.test.sh <x64 build folder>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
bin="$1/bin"
module=$(winpath "$bin/DocketMod.dll")
out=$(mktemp -d)
trap 'rm -rf "$out"; register_module >/dev/null' EXIT
fails=0
check() {  # check <what> <condition result>
  if [ "$2" -eq 0 ]; then echo "ok: $1"; else echo "FAIL: $1"; fails=$((fails + 1)); fi
}

"$WINE" regsvr32 /s "$module" >"$out/reg.log" 2>&1
check "regsvr32 registers" $?

echo done >"$out/expected"  # nothing but the end: no surprise on the way
for script in "$(dirname "${BASH_SOURCE[0]}")"/*.vbs; do
  name=$(basename "$script")
  mkdir "$out/$name.scratch"
  "$WINE" cscript //nologo "$(winpath "$script")" "$(winpath "$out/$name.scratch")" \
    "$(winpath "$ROOT/examples")" >"$out/$name.txt" 2>&1
  tr -d '\r' <"$out/$name.txt" >"$out/$name.unix"
  diff "$out/expected" "$out/$name.unix"
  check "cscript gets every answer of $name" $?
done

"$WINE" regsvr32 /u /s "$module" >"$out/unreg.log" 2>&1
check "regsvr32 unregisters" $?
DOCKET_EXPECT_UNREGISTERED=1 "$WINE" "$bin/docket_unit_tests.exe" \
  --gtest_filter=UnregisteredModule.* >"$out/unregistered.log" 2>&1
check "errors of an unregistered module carry no source" $?
grep -q '\[  PASSED  \] 1 test' "$out/unregistered.log"
check "that test really ran" $?

[ "$fails" -eq 0 ]
