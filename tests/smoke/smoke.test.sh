#!/usr/bin/env bash
# Installs the module with Wine's own regsvr32, drives it from Wine's stock cscript, then
# unregisters it (and checks that errors then carry no source) and registers it again.
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

# Arguments: the committed sample images, and a scratch folder for INI files.
here=$(dirname "${BASH_SOURCE[0]}")
"$WINE" cscript //nologo "$(winpath "$here/smoke.vbs")" "$(winpath "$here/../fuzz/corpus/image_header")" \
  "$(winpath "$out")" >"$out/answers.txt" 2>&1
tr -d '\r' <"$out/answers.txt" >"$out/answers.unix"
echo done >"$out/expected"  # nothing but the end: no surprise on the way
diff "$out/expected" "$out/answers.unix"
check "cscript gets every answer" $?

"$WINE" regsvr32 /u /s "$module" >"$out/unreg.log" 2>&1
check "regsvr32 unregisters" $?
DOCKET_EXPECT_UNREGISTERED=1 "$WINE" "$bin/docket_unit_tests.exe" \
  --gtest_filter=UnregisteredModule.* >"$out/unregistered.log" 2>&1
check "errors of an unregistered module carry no source" $?
grep -q '\[  PASSED  \] 1 test' "$out/unregistered.log"
check "that test really ran" $?

[ "$fails" -eq 0 ]
