#!/usr/bin/env bash
# The unit tests that need 932 as the system code page, in a prefix of their own (build/wineprefix-932)
# whose programs start with LC_ALL=ja_JP.UTF-8. The locale is compiled once into build/locale: without
# it Wine's side of the file system falls back to ASCII and no Japanese file name could be made.
#   tests/unit/system_code_page_932.test.sh [x64 build folder]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
bin="${1:-$BUILD/x64}/bin"
export WINEPREFIX="$BUILD/wineprefix-932" LOCPATH="$BUILD/locale"
if [ ! -f "$LOCPATH/ja_JP.UTF-8/LC_CTYPE" ]; then
  mkdir -p "$LOCPATH"
  localedef -i ja_JP -f UTF-8 "$LOCPATH/ja_JP.UTF-8" >"$BUILD/localedef.log" 2>&1 ||
    { cat "$BUILD/localedef.log"; exit 1; }
fi
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null  # bash itself need not take it
out=$(mktemp)
trap 'stop_wine; rm -f "$out"' EXIT
start_wine
"$WINE" "$bin/docket_unit_tests.exe" --gtest_filter='*SystemDoubleByte*' >"$out" 2>&1
rc=$?
cat "$out"
# A skip would mean that the code page did not take: that is a failure here.
[ "$rc" -eq 0 ] && grep -Eq '^\[  PASSED  \] [0-9]+ tests?\.' "$out" && ! grep -q '^\[  SKIPPED' "$out"
