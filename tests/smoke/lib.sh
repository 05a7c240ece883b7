# Shared by the shell tests that drive Wine's stock cscript, whose exit code means nothing: a script
# prints its surprises and then "done", and the output must be exactly that.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
fails=0
check() {  # check <what> <status>
  if [ "$2" -eq 0 ]; then echo "ok: $1"; else echo "FAIL: $1"; fails=$((fails + 1)); fi
}
expect_done() {  # expect_done <what> <output file> <program> [argument...]: runs "$WINE" <program> ...
  local what=$1 out=$2 status=0
  shift 2
  "$WINE" "$@" >"$out" 2>&1
  [ "$(tr -d '\r' <"$out")" = done ] || { cat "$out"; status=1; }
  check "$what" $status
}
