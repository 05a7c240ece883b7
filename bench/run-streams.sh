#!/usr/bin/env bash
# Text streams against the scripting runtime's own text streams, in one run under the same Wine:
# ReadLine until AtEndOfStream and ReadAll on a 20 MB file of 80-character lines, and WriteLine
# of 200,000 lines. Prints each side's own cost per line (the empty script loop subtracted) and
# the ratios. See bench/README.md.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$ROOT" || exit 1
build_x64 || exit 1
start_wine
trap stop_wine EXIT
register_module || { log "registration failed"; exit 1; }

work="$BUILD/bench"
mkdir -p "$work"
sample="$work/sample-20mb.txt"
if [ ! -f "$sample" ]; then
  log "writing the 20 MB sample"
  awk 'BEGIN { line = sprintf("%080d", 0); gsub(/0/, "abcdefghij", line); line = substr(line, 1, 80)
               for (i = 0; i < 20 * 1024 * 1024 / 82; i++) printf "%s\r\n", line }' >"$sample"
fi

log "timing (about a minute)"
out="$work/streams.out"
wine_run "$BUILD/x64/bin/docket-host.exe" "$(winpath "$ROOT/bench/streams_text.vbs")" \
  --args "$(winpath "$sample")" "$(winpath "$work")" >"$out" 2>&1 || { cat "$out"; exit 1; }

awk '
  { seconds[$1] = $2; count[$1] = $3 }
  function own(side, kind) { return (seconds[kind "-" side] - seconds[kind "-empty"]) * 1e6 / count[kind "-" side] }
  END {
    printf "%-28s %12s %12s %10s\n", "measure", "peer", "ours", "peer/ours"
    printf "%-28s %12.3f %12.3f %10s\n", "empty ReadLine loop, us/line", seconds["readline-empty"] * 1e6 / count["readline-empty"], seconds["readline-empty"] * 1e6 / count["readline-empty"], ""
    for (k = 1; k <= 2; k++) {
      kind = k == 1 ? "readline" : "writeline"
      p = own("peer", kind); o = own("ours", kind)
      printf "%-28s %12.3f %12.3f %10.2f\n", kind " own cost, us/line", p, o, (o > 0 ? p / o : 0)
    }
    printf "%-28s %12.3f %12.3f %10.1f\n", "ReadAll of 20 MB, s", seconds["readall-peer"], seconds["readall-ours"], (seconds["readall-ours"] > 0 ? seconds["readall-peer"] / seconds["readall-ours"] : 0)
    printf "lines read %d, lines written %d\n", count["readline-ours"], count["writeline-ours"]
  }' "$out"
