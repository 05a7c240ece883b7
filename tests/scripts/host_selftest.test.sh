#!/usr/bin/env bash
# Self-test of the page host docket-host.exe and the assertion libraries. Argument: the x64 build.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
here=$ROOT/tests/scripts
host=$(readlink -f "${1:-$BUILD/x64}/bin/docket-host.exe")
lib=$(winpath "$here/lib")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=0
fail() { failed=$((failed + 1)); echo "not ok - $1"; sed 's/^/    | /' "$work/$2.err" | head -20; }
run() {  # NAME CODE OUTPUT [ARGUMENT...]: exit code and stdout (printf format) match exactly
  local name=$1 code=$2 output=$3
  shift 3
  (cd "$work" && DOCKET_HOST_PROBE="probe value" "$WINE" "$host" "$@" >"$name.out" 2>"$name.err")
  local rc=$?
  [ "$rc" -eq "$code" ] || fail "$name: exit code $rc, expected $code" "$name"
  printf "$output" | cmp -s - "$work/$name.out" || fail "$name: output $(od -c "$work/$name.out")" "$name"
}
says() { grep -qxF -- "$2" "$work/$1.err" || fail "$1: no line '$2'" "$1"; }  # NAME LINE: stderr has it
lines() { local file=$1; shift; printf '%s\n' "$@" >"$work/$file"; }

mkdir -p "$work/scratch"
for language in vbs js; do
  run "selftest_$language" 0 'text|42|True|2.5|\xc3\xa9\xe2\x82\xac\n' "$lib\\assert.$language" \
      "$(winpath "$here/host_selftest.$language")" --args "$(winpath "$work/scratch")"
done

# Failed assertions name the case and both values with their types; the page exits with 1.
lines failing.vbs 'On Error Resume Next' 'AssertEqual 1, "1", "number against text"' \
  'AssertEqual Nothing, True, "Nothing against True"' 'AssertEqual CLng("x"), 0, "an assertion whose argument fails"' \
  'ExpectChecks 3'
run failing 1 '' "$lib\\assert.vbs" failing.vbs
says failing "    expected <1> (String), actual <1> (Integer)"
says failing "    expected <True> (Boolean), actual Nothing"
says failing "    2 checks ran before it"
says failing "3 checks, 3 failed"
lines failing.js 'AssertEqual(undefined, null, "undefined against null");' \
  'AssertThrows(function () {}, 5, undefined, "AssertThrows without a throw");'
run failing_js 1 '' "$lib\\assert.js" failing.js
says failing_js "    expected null (object), actual undefined (undefined)"
says failing_js "2 checks, 2 failed"

# An uncaught error names the file and line where it happened, not the file that called.
lines first.vbs 'Response.Write "first;"' 'Sub Fail()' '    Err.Raise vbObjectError + 5, "fixture", "deliberate failure"' 'End Sub'
lines second.vbs 'Response.Write "second;"' '' '  Fail' 'Response.Write "not reached;"'
run error_vbs 1 'first;second;' first.vbs second.vbs
says error_vbs "first.vbs(3, 5): deliberate failure [fixture, 0x80040005]"

# Command lines that cannot run run nothing and exit with 2; Host.Quit exits with its own code.
run missing 2 '' first.vbs missing.vbs
run mixed 2 '' first.vbs failing.js
lines quit.vbs 'On Error Resume Next' 'Response.Write "before;"' 'Host.Quit 7' 'Response.Write "after;"'
run quit 7 'before;' quit.vbs first.vbs

# --check-unload fails a page whose dictionary holds itself past its end (which passes unchecked).
lines cycle.vbs 'Set d = Server.CreateObject("Docket.Dictionary")' 'd.Add "self", d'
lines plain.vbs 'Set d = Server.CreateObject("Docket.Dictionary")' 'd.Add "self", "text"'
run leak 1 '' --check-unload DocketMod.dll cycle.vbs
says leak "docket-host: DocketMod.dll still has live objects or locks after the page ended (DllCanUnloadNow answered 0x00000001)"
run leak_unchecked 0 '' cycle.vbs
run no_leak 0 '' --check-unload DocketMod.dll plain.vbs

# OnStartPage/OnEndPage order, as a JScript component writes it through its context (Wine 8.0's
# VBScript cannot take the context as a plain IUnknown).
cat >"$work/probe.wsc" <<'EOF'
<?xml version="1.0"?>
<component>
<registration description="page host probe" progid="DocketHost.PageProbe" version="1.00" classid="{6B1E5C3A-2D4F-4A8B-9C71-3E5F0A2B7D41}"></registration>
<public><method name="OnStartPage"><parameter name="context"/></method><method name="OnEndPage"></method></public>
<script language="JScript"><![CDATA[
var pageContext = null;
function OnStartPage(context) {
  pageContext = context;
  context.Response.Write("started:" + context.Request.ServerVariables("DOCKET_HOST_PROBE") + ";");
}
function OnEndPage() { pageContext.Response.Write("ended;"); }
]]></script>
</component>
EOF
probe=$(winpath "$work/probe.wsc")
if "$WINE" regsvr32 /s /n "/i:$probe" scrobj.dll >"$work/register.err" 2>&1; then
  lines page.vbs 'Set probeA = Server.CreateObject("DocketHost.PageProbe")' \
    'Set probeB = Server.CreateObject("DocketHost.PageProbe")' 'Response.Write "body;"' 'Err.Raise 5'
  run page 1 'started:probe value;started:probe value;body;ended;ended;' page.vbs
  "$WINE" regsvr32 /s /u /n "/i:$probe" scrobj.dll >"$work/unregister.err" 2>&1
else
  fail "the probe component registers" register
fi
echo "host self-test: $failed failed"
[ "$failed" -eq 0 ]
