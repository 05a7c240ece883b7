#!/usr/bin/env bash
# Objects created by name, driven by Wine's own cscript from the root of a scratch drive mapped for
# the test: whatever the script calls, the drive must end exactly as it began.
# Usage: unbound_objects.test.sh <x64 build folder>  (run alone: it adds a drive to the prefix)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../smoke/lib.sh"
out=$(mktemp -d)
scratch="$out/drive"
mkdir -p "$scratch/sub/deeper"
echo keep >"$scratch/keep.txt"
echo inner >"$scratch/sub/inner.txt"
echo deeper >"$scratch/sub/deeper/x.txt"

# A link under dosdevices is a drive at once, without a restart of the server.
letter=""
for l in s t u v w x y; do
  [ -e "$WINEPREFIX/dosdevices/$l:" ] || { letter=$l; break; }
done
[ -n "$letter" ] || { echo "FAIL: no free drive letter"; exit 1; }
ln -s "$scratch" "$WINEPREFIX/dosdevices/$letter:"
trap 'rm -f "$WINEPREFIX/dosdevices/$letter:"; rm -rf "$out"' EXIT

listing() { (cd "$scratch" && find . -printf '%p %y %s %T@ %m\n' | sort); }
listing >"$out/before"
expect_done "every member refused" "$out/answers.txt" cscript \
  "$(dirname "${BASH_SOURCE[0]}")/unbound_objects.vbs" "${letter^^}:"
listing | diff "$out/before" -
check "the drive untouched" $?
[ "$fails" -eq 0 ]
