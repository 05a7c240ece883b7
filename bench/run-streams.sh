#!/usr/bin/env bash
# Text streams, two sides in one run under the same Wine (see bench/README.md): the scripting
# runtime's against ours, or with "utf8" ours in UTF-8 against ours in the system code page.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$ROOT" || exit 1
mode=${1:-peer}
work="$BUILD/bench"
mkdir -p "$work"
# Writes the 20 MB sample $1 of lines $2 (cut to 80 characters) in the encoding $3, once.
write_sample() {
  [ -f "$1" ] || python3 -c 'import sys; open(sys.argv[1], "w", encoding=sys.argv[3], newline="").write(
    (sys.argv[2][:80] + "\r\n") * (20 * 1024 * 1024 // 82))' "$@"
}
case "$mode" in
  peer)
    write_sample "$work/sample-20mb.txt" "$(printf 'abcdefghij%.0s' {1..8})" ascii
    sides=("peer;Scripting.FileSystemObject;0;$(winpath "$work/sample-20mb.txt")"
           "ours;Corvane.FileManager;0;$(winpath "$work/sample-20mb.txt")") ;;
  utf8)
    # European text: about one character in six is outside ASCII (two bytes in UTF-8).
    line='Grüße aus Köln: café, crème brûlée, naïve façade, Ærø, señor, smörgåsbord, déjà vu!'
    write_sample "$work/sample-utf8.txt" "$line" utf-8
    write_sample "$work/sample-cp1252.txt" "$line" cp1252
    sides=("utf8;Corvane.FileManager;65001;$(winpath "$work/sample-utf8.txt")"
           "system;Corvane.FileManager;0;$(winpath "$work/sample-cp1252.txt")") ;;
  *) echo "usage: $0 [peer|utf8]" >&2; exit 2 ;;
esac
build_x64 || exit 1
start_wine
trap stop_wine EXIT
register_module || { log "registration failed"; exit 1; }

log "timing (a minute or two)"
out="$work/streams-$mode.out"
wine_run "$BUILD/x64/bin/docket-host.exe" "$(winpath "$ROOT/bench/streams_text.vbs")" \
  --args "$(winpath "$work")" "${sides[@]}" >"$out" 2>&1 || { cat "$out"; exit 1; }
awk -v a="${sides[0]%%;*}" -v b="${sides[1]%%;*}" '
  { seconds[$1] = $2; count[$1] = $3 }
  function own(kind, side) { return (seconds[kind "-" side] - seconds[kind "-empty"]) * 1e6 / count[kind "-" side] }
  function row(what, x, y) { printf "%-28s %12.3f %12.3f %10.2f\n", what, x, y, (y > 0 ? x / y : 0) }
  END {
    printf "%-28s %12s %12s %10s\n", "measure", a, b, a "/" b
    printf "%-28s %12.3f\n", "empty ReadLine loop, us/line", seconds["readline-empty"] * 1e6 / count["readline-empty"]
    row("readline own cost, us/line", own("readline", a), own("readline", b))
    row("writeline own cost, us/line", own("writeline", a), own("writeline", b))
    row("ReadAll of 20 MB, s", seconds["readall-" a], seconds["readall-" b])
    printf "lines read %d, lines written %d\n", count["readline-" b], count["writeline-" b]
  }' "$out"
