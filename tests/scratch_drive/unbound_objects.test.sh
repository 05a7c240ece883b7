#!/usr/bin/env bash
# Objects created by name, driven by Wine's own cscript from the root of a scratch drive: a drive
# letter of this prefix mapped for the test to a fresh folder with a few files in it. Whatever the
# script calls, that folder must end exactly as it began.
# Usage: unbound_objects.test.sh <x64 build folder>  (run alone: it adds a drive to the prefix)
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
out=$(mktemp -d)
scratch="$out/drive"
mkdir -p "$scratch/sub/deeper"
echo keep >"$scratch/keep.txt"
echo inner >"$scratch/sub/inner.txt"
echo deeper >"$scratch/sub/deeper/x.txt"

# A drive letter is a link under the prefix's dosdevices, which Wine resolves when a path is
# opened: it serves at once, without a restart of the server, and goes again with the link.
letter=""
for l in s t u v w x y; do
  if [ ! -e "$WINEPREFIX/dosdevices/$l:" ]; then letter=$l; break; fi
done
[ -n "$letter" ] || { echo "FAIL: no free drive letter"; exit 1; }
ln -s "$scratch" "$WINEPREFIX/dosdevices/$letter:"
trap 'rm -f "$WINEPREFIX/dosdevices/$letter:"; rm -rf "$out"' EXIT

listing() { (cd "$scratch" && find . -printf '%p %y %s %T@ %m\n' | sort); }
listing >"$out/before"

"$WINE" cscript //nologo "$(winpath "$(dirname "${BASH_SOURCE[0]}")/unbound_objects.vbs")" \
  "${letter^^}:" >"$out/answers.txt" 2>&1
tr -d '\r' <"$out/answers.txt" >"$out/answers.unix"
fails=0
echo done >"$out/expected"
diff "$out/expected" "$out/answers.unix" || fails=1
listing >"$out/after"
diff "$out/before" "$out/after" || { echo "FAIL: the scratch drive changed"; fails=1; }
[ "$fails" -eq 0 ] && echo "ok: every member refused, the drive untouched"
[ "$fails" -eq 0 ]
