# Shared by the shell tests that drive Wine's stock cscript, whose exit code means nothing: a script
# prints its surprises and then "done", and the output must be exactly that.
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
smoke_lib=$(dirname "${BASH_SOURCE[0]}")/lib.vbs
fails=0
check() {  # check <what> <status>
  if [ "$2" -eq 0 ]; then echo "ok: $1"; else echo "FAIL: $1"; fails=$((fails + 1)); fi
}
# expect_done <what> <output file> <cscript program> <script> [argument...]; a VBScript gets lib.vbs
# put before it.
expect_done() {
  local what=$1 out=$2 program=$3 script=$4 status=0
  shift 4
  case $script in *.vbs) cat "$smoke_lib" "$script" >"$out.vbs" && script=$out.vbs ;; esac
  "$WINE" "$program" //nologo "$(winpath "$script")" "$@" >"$out" 2>&1
  [ "$(tr -d '\r' <"$out")" = done ] || { cat "$out"; status=1; }
  check "$what" $status
}
