#!/usr/bin/env bash
# UTF-8 text between Python and a script run by Wine's own cscript (utf8/round_trip.vbs, apart from
# the scripts smoke.test.sh runs: it needs the files made here). Python writes the files (ASCII,
# Latin-1, CJK, emoji), the script reads them with Format 65001 and writes them back, and Python
# reads what it wrote with open(..., encoding='utf-8') and finds its own text, without a mark.
# Usage: utf8_round_trip.test.sh <x64 build folder>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
here=$(dirname "${BASH_SOURCE[0]}")
work=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$work"' EXIT
text='ASCII line\r\nLatin-1: é ü ß ñ ÿ\r\nCJK: 中文 日本語 한국어\r\nEmoji: 😀 🎉 👍🏽 𝄞\r\nlast line, no line end'

python3 - "$work" "$text" <<'PY' || exit 1
import sys
folder, text = sys.argv[1], sys.argv[2].replace('\\r\\n', '\r\n')
for name, encoding in (('from-python.txt', 'utf-8'), ('from-python-sig.txt', 'utf-8-sig'),
                       ('expected-utf16.txt', 'utf-16')):
    with open(f'{folder}/{name}', 'w', encoding=encoding, newline='') as f:
        f.write(text)
PY

"$WINE" cscript //nologo "$(winpath "$here/utf8/round_trip.vbs")" "$(winpath "$work")" >"$work/answers.txt" 2>&1
tr -d '\r' <"$work/answers.txt" >"$work/answers.unix"
echo done >"$work/expected"
diff "$work/expected" "$work/answers.unix" || exit 1

python3 - "$work" "$text" <<'PY'
import sys
folder, text = sys.argv[1], sys.argv[2].replace('\\r\\n', '\r\n')
with open(f'{folder}/to-python.txt', encoding='utf-8', newline='') as f:
    back = f.read()
if back != text:
    sys.exit(f'read back {back!r}\nexpected  {text!r}')
print('ok: Python reads back what it wrote, through the script')
PY
