#!/usr/bin/env bash
# The unit tests that need a double-byte system code page, in a second private prefix
# (build/wineprefix-932, made on first use) whose programs start with LC_ALL=ja_JP.UTF-8: Wine then
# gives them the system code page 932. The prefix has a server of its own, stopped at the end; the
# main prefix is not touched.
#   tests/unit/system_code_page_932.test.sh [x64 build folder]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
bin="${1:-$BUILD/x64}/bin"
export WINEPREFIX="$BUILD/wineprefix-932"
{ export LC_ALL=ja_JP.UTF-8; } 2>/dev/null  # bash itself has no such locale; Wine needs none
out=$(mktemp)
trap 'stop_wine; rm -f "$out"' EXIT
start_wine
"$WINE" "$bin/docket_unit_tests.exe" --gtest_filter='*SystemDoubleByte*' >"$out" 2>&1
rc=$?
cat "$out"
# A skip would mean that the code page did not take: that is a failure here.
[ "$rc" -eq 0 ] && grep -q '^\[  PASSED  \] 1 test' "$out" && ! grep -q '^\[  SKIPPED' "$out"
