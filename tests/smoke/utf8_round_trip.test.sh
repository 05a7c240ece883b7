#!/usr/bin/env bash
# UTF-8 text between Python and Wine's stock cscript (utf8/round_trip.vbs): Python writes the text
# (ASCII, Latin-1, CJK, emoji), the script reads it with Format 65001 and writes it back, and Python
# reads that with open(..., encoding='utf-8') and finds its own text, without a mark.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
work=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$work"' EXIT
export TEXT='ASCII line\r\nLatin-1: é ü ß ñ ÿ\r\nCJK: 中文 日本語 한국어\r\nEmoji: 😀 🎉 👍🏽 𝄞\r\nlast line, no line end'
python() {  # python <code>, with the folder and the text
  python3 -c "import os, sys; folder, text = sys.argv[1], os.environ['TEXT'].replace('\\\\r\\\\n', '\\r\\n'); $1" "$work"
}

python "
for name, encoding in (('from-python', 'utf-8'), ('from-python-sig', 'utf-8-sig'), ('expected-utf16', 'utf-16')):
    open(f'{folder}/{name}.txt', 'w', encoding=encoding, newline='').write(text)" || exit 1
expect_done "the script reads and writes UTF-8" "$work/answers.txt" cscript \
  "$(dirname "${BASH_SOURCE[0]}")/utf8/round_trip.vbs" "$(winpath "$work")"
python "
back = open(f'{folder}/to-python.txt', encoding='utf-8', newline='').read()
sys.exit(None if back == text else f'read back {back!r}\nexpected  {text!r}')"
check "Python reads back what it wrote, through the script" $?
[ "$fails" -eq 0 ]
