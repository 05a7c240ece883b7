#!/usr/bin/env bash
# Registers the module with Wine's regsvr32, runs every tests/smoke/*.vbs in Wine's stock cscript
# (with a scratch folder and the examples folder), unregisters it (errors then carry no source) and
# registers it again. Argument: the x64 build folder.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
bin="$1/bin"
module=$(winpath "$bin/DocketMod.dll")
out=$(mktemp -d)
trap 'rm -rf "$out"; register_module >/dev/null' EXIT

"$WINE" regsvr32 /s "$module" >"$out/reg.log" 2>&1
check "regsvr32 registers" $?
for script in "$(dirname "${BASH_SOURCE[0]}")"/*.vbs; do
  name=$(basename "$script")
  [ "$name" = lib.vbs ] && continue
  mkdir "$out/$name.scratch"
  expect_done "cscript gets every answer of $name" "$out/$name.txt" cscript "$script" \
    "$(winpath "$out/$name.scratch")" "$(winpath "$ROOT/examples")"
done

"$WINE" regsvr32 /u /s "$module" >"$out/unreg.log" 2>&1
check "regsvr32 unregisters" $?
DOCKET_EXPECT_UNREGISTERED=1 "$WINE" "$bin/docket_unit_tests.exe" \
  --gtest_filter=UnregisteredModule.* >"$out/unregistered.log" 2>&1
grep -q '\[  PASSED  \] 1 test' "$out/unregistered.log"
check "errors of an unregistered module carry no source" $?
[ "$fails" -eq 0 ]
