#!/usr/bin/env bash
# Text streams, two sides in one run under the same Wine: ReadLine until AtEndOfStream and ReadAll
# on a 20 MB file of 80-character lines, and WriteLine of 200,000 lines. Prints each side's own
# cost per line (the empty script loop subtracted) and the ratio of the first side's to the
# second's. See bench/README.md.
#   ./bench/run-streams.sh         the scripting runtime's text streams against ours
#   ./bench/run-streams.sh utf8    ours in UTF-8 (Format 65001) against ours in the system code page
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$ROOT" || exit 1
mode=${1:-peer}
build_x64 || exit 1
start_wine
trap stop_wine EXIT
register_module || { log "registration failed"; exit 1; }

work="$BUILD/bench"
mkdir -p "$work"
# Writes the 20 MB sample $1 of lines $2 (80 characters) in the encoding $3, once.
write_sample() {
  [ -f "$1" ] && return
  log "writing the sample $(basename "$1")"
  python3 - "$@" <<'PY'
import sys
path, line, encoding = sys.argv[1:]
with open(path, 'w', encoding=encoding, newline='') as f:
    f.write((line[:80] + '\r\n') * (20 * 1024 * 1024 // 82))
PY
}
case "$mode" in
  peer)
    sample="$work/sample-20mb.txt"
    write_sample "$sample" "$(printf 'abcdefghij%.0s' {1..8})" ascii
    sides=("peer;Scripting.FileSystemObject;0;$(winpath "$sample")" "ours;Corvane.FileManager;0;$(winpath "$sample")") ;;
  utf8)
    # European text: about one character in six is outside ASCII (two bytes in UTF-8).
    line='Grüße aus Köln: café, crème brûlée, naïve façade, Ærø, señor, smörgåsbord, déjà vu!'
    write_sample "$work/sample-utf8.txt" "$line" utf-8
    write_sample "$work/sample-cp1252.txt" "$line" cp1252
    sides=("utf8;Corvane.FileManager;65001;$(winpath "$work/sample-utf8.txt")"
           "system;Corvane.FileManager;0;$(winpath "$work/sample-cp1252.txt")") ;;
  *) echo "usage: $0 [peer|utf8]" >&2; exit 2 ;;
esac

log "timing (a minute or two)"
out="$work/streams-$mode.out"
wine_run "$BUILD/x64/bin/docket-host.exe" "$(winpath "$ROOT/bench/streams_text.vbs")" \
  --args "$(winpath "$work")" "${sides[@]}" >"$out" 2>&1 || { cat "$out"; exit 1; }

awk -v a="${sides[0]%%;*}" -v b="${sides[1]%%;*}" '
  { seconds[$1] = $2; count[$1] = $3 }
  function own(side, kind) { return (seconds[kind "-" side] - seconds[kind "-empty"]) * 1e6 / count[kind "-" side] }
  END {
    printf "%-28s %12s %12s %10s\n", "measure", a, b, a "/" b
    printf "%-28s %12.3f\n", "empty ReadLine loop, us/line", seconds["readline-empty"] * 1e6 / count["readline-empty"]
    for (k = 1; k <= 2; k++) {
      kind = k == 1 ? "readline" : "writeline"
      x = own(a, kind); y = own(b, kind)
      printf "%-28s %12.3f %12.3f %10.2f\n", kind " own cost, us/line", x, y, (y > 0 ? x / y : 0)
    }
    x = seconds["readall-" a]; y = seconds["readall-" b]
    printf "%-28s %12.3f %12.3f %10.2f\n", "ReadAll of 20 MB, s", x, y, (y > 0 ? x / y : 0)
    printf "lines read %d, lines written %d\n", count["readline-" b], count["writeline-" b]
  }' "$out"
