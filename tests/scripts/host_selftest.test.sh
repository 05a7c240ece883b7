#!/usr/bin/env bash
# Self-test of the page host docket-host.exe and the assertion libraries, under Wine.
#
#   tests/scripts/host_selftest.test.sh [docket-host.exe | build folder holding bin/docket-host.exe]
#
# The host defaults to build/x64/bin/docket-host.exe. WINEPREFIX is used as set (the project's
# test runner sets it); otherwise build/wine-host, created on first use. Every Wine program writes
# to files that are read afterwards, never to a pipe: services Wine starts would hold a pipe open.
set -u

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
repo=$(cd "$here/../.." && pwd)
host=${1:-$repo/build/x64}
[ -d "$host" ] && host=$host/bin/docket-host.exe
host=$(readlink -f "$host")
export WINEPREFIX=${WINEPREFIX:-$repo/build/wine-host}
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

if [ ! -f "$host" ]; then
  echo "host_selftest: $host is missing; build it first" >&2
  exit 2
fi
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1
  "$wineserver" -w
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
winpath() { printf 'Z:%s' "$(readlink -f "$1" | tr '/' '\\')"; }
lib=$(winpath "$here/lib")

cases=0
failed=0
ok() { cases=$((cases + 1)); printf 'ok - %s\n' "$1"; }
not_ok() { cases=$((cases + 1)); failed=$((failed + 1)); printf 'not ok - %s\n' "$1"; sed 's/^/    | /' "$2" | head -20; }

# run NAME [ARGUMENT...]: runs the host in the scratch folder; NAME.out, NAME.err and $rc hold what it did.
run() {
  local name=$1
  shift
  (cd "$work" && DOCKET_HOST_PROBE="probe value" "$wine" "$host" "$@" >"$name.out" 2>"$name.err")
  rc=$?
}
expect_rc() {  # NAME CODE
  if [ "$rc" -eq "$2" ]; then ok "$1: exit code $2"; else not_ok "$1: exit code $rc, expected $2" "$work/$1.err"; fi
}
expect_out() {  # NAME TEXT (printf format): stdout byte for byte
  printf "$2" >"$work/$1.expected"
  if cmp -s "$work/$1.out" "$work/$1.expected"; then ok "$1: output"; else
    { echo "expected:"; od -c "$work/$1.expected"; echo "got:"; od -c "$work/$1.out"; } >"$work/$1.diff"
    not_ok "$1: output differs" "$work/$1.diff"
  fi
}
expect_err_line() {  # NAME LINE: stderr holds exactly this line
  if grep -qxF -- "$2" "$work/$1.err"; then ok "$1: says '$2'"; else not_ok "$1: no line '$2'" "$work/$1.err"; fi
}
expect_err_has() {  # NAME TEXT: stderr holds this text somewhere
  if grep -qF -- "$2" "$work/$1.err"; then ok "$1: mentions '$2'"; else not_ok "$1: no '$2'" "$work/$1.err"; fi
}
expect_err_lacks() {  # NAME TEXT
  if grep -qF -- "$2" "$work/$1.err"; then not_ok "$1: should not say '$2'" "$work/$1.err"; else ok "$1: does not say '$2'"; fi
}
fixture() { cat >"$work/$1"; }  # NAME, text on stdin

# --- The self-test pages: every assertion passes, output is exact and UTF-8. -------------------
mkdir -p "$work/scratch"
scratch=$(winpath "$work/scratch")
for language in vbs js; do
  (cd "$work/scratch" && DOCKET_HOST_PROBE="probe value" "$wine" "$host" "$lib\\assert.$language" \
     "$(winpath "$here/host_selftest.$language")" --args "$scratch" \
     >"$work/selftest_$language.out" 2>"$work/selftest_$language.err")
  rc=$?
  expect_rc "selftest_$language" 0
  expect_out "selftest_$language" 'text|42|True|2.5|\xc3\xa9\xe2\x82\xac\n'
  expect_err_lacks "selftest_$language" "FAIL"
done
expect_err_line selftest_vbs "35 checks, 0 failed"
expect_err_line selftest_js "23 checks, 0 failed"

# --- Failed assertions: named, with both values and their types, and exit code 1. --------------
fixture failing.vbs <<'EOF'
On Error Resume Next
AssertEqual 1, "1", "number against text"
AssertEqual Empty, "", "Empty against empty text"
AssertEqual -1, True, "minus one against True"
AssertEqual Nothing, Server, "Nothing against an object"
AssertTrue 1, "AssertTrue of a number"
AssertTrue Null, "AssertTrue of Null"
AssertError 5, Empty, "AssertError without an error"
Err.Raise 9, "fixture", "subscript"
AssertError 5, Empty, "AssertError of another number"
Err.Raise 5, "fixture", "actual words"
AssertError 5, "expected words", "AssertError of another description"
Host.Check Null, "Host.Check of Null"
AssertEqual CLng("not a number"), 0, "an assertion whose argument fails"
ExpectChecks 11
EOF
run failing "$lib\\assert.vbs" failing.vbs
expect_rc failing 1
expect_err_line failing "FAIL: number against text"
expect_err_line failing "    expected <1> (VarType 8 String), actual <1> (VarType 2 Integer)"
expect_err_line failing "    expected <> (VarType 8 String), actual Empty (VarType 0 Empty)"
expect_err_line failing "    expected <True> (VarType 11 Boolean), actual <-1> (VarType 2 Integer)"
expect_err_line failing "FAIL: Nothing against an object"
expect_err_line failing "    condition was <1> (VarType 2 Integer)"
expect_err_line failing "    condition was Null (VarType 1 Null)"
expect_err_line failing "    no error was raised; expected 5 (0x00000005) \"\""
expect_err_line failing "    expected error 5 (0x00000005) \"\", got 9 (0x00000009) \"subscript\""
expect_err_line failing "    expected error 5 (0x00000005) \"expected words\", got 5 (0x00000005) \"actual words\""
expect_err_line failing "FAIL: Host.Check of Null"
expect_err_line failing "    the condition is not a boolean"
expect_err_lacks failing "an assertion whose argument fails"
expect_err_line failing "FAIL: ExpectChecks(11)"
expect_err_line failing "    10 checks ran before it"
expect_err_line failing "11 checks, 11 failed"

fixture failing.js <<'EOF'
AssertEqual(1, "1", "number against string");
AssertEqual(undefined, null, "undefined against null");
AssertTrue(1, "AssertTrue of a number");
AssertThrows(function () {}, 5, undefined, "AssertThrows without a throw");
AssertThrows(function () { throw new Error(9, "nine"); }, 0x800A01B6, undefined, "AssertThrows of another number");
AssertThrows(function () { throw new Error(5, "actual"); }, 5, "expected", "AssertThrows of another description");
try { Server.MapPath(""); AssertTrue(true, "skipped by the throw before it"); } catch (e) { }
ExpectChecks(7);
EOF
run failing_js "$lib\\assert.js" failing.js
expect_rc failing_js 1
expect_err_line failing_js "FAIL: number against string"
expect_err_line failing_js "    expected <1> (string), actual <1> (number)"
expect_err_line failing_js "    expected null (object), actual undefined (undefined)"
expect_err_line failing_js "    condition was <1> (number)"
expect_err_line failing_js "    nothing was thrown; expected 5 (0x00000005) \"undefined\""
expect_err_line failing_js "    expected error -2146827850 (0x800A01B6) \"undefined\", got 9 (0x00000009) \"nine\""
expect_err_line failing_js "    expected error 5 (0x00000005) \"expected\", got 5 (0x00000005) \"actual\""
expect_err_line failing_js "    6 checks ran before it"
expect_err_line failing_js "7 checks, 7 failed"

# --- Host.Arguments: every argument after --args, spaces and empty ones included. --------------
fixture arguments.vbs <<'EOF'
Response.Write Host.ArgumentCount & "[" & Host.Arguments(0) & "][" & Host.Arguments(1) & "][" & Host.Arguments(2) & "]"
EOF
run arguments arguments.vbs --args "two words" "" --args
expect_rc arguments 0
expect_out arguments '3[two words][][--args]'

# --- Uncaught errors name the file and line where they happen, over several files. -------------
fixture first.vbs <<'EOF'
Response.Write "first;"
Sub Fail()
    Err.Raise vbObjectError + 5, "fixture", "deliberate failure"
End Sub
EOF
fixture second.vbs <<'EOF'
Response.Write "second;"

  Fail
Response.Write "not reached;"
EOF
fixture third.vbs <<'EOF'
Response.Write "third;"
EOF
run error_vbs first.vbs second.vbs third.vbs
expect_rc error_vbs 1
expect_out error_vbs 'first;second;'
expect_err_line error_vbs "first.vbs(3, 5): deliberate failure [fixture, 0x80040005]"

fixture direct.vbs <<'EOF'
Host.Check True, "a check before the error"

   Err.Raise 1234, "fixture", "raised where it stands"
EOF
run error_direct first.vbs direct.vbs
expect_rc error_direct 1
expect_err_line error_direct "direct.vbs(3, 4): raised where it stands [fixture, 0x800A04D2]"
expect_err_line error_direct "1 checks, 0 failed"

fixture first.js <<'EOF'
Response.Write("first;");
function Fail() {
    Host.Arguments(9);
}
EOF
fixture second.js <<'EOF'
Response.Write("second;");
  Fail();
EOF
run error_js first.js second.js
expect_rc error_js 1
expect_out error_js 'first;second;'
expect_err_line error_js "first.js(3, 5): Host.Arguments: no argument 9 (there are 0) [Host, 0x8002000B]"

fixture syntax.vbs <<'EOF'
Response.Write "never;"
If True Then
EOF
run syntax first.vbs syntax.vbs third.vbs
expect_rc syntax 1
expect_out syntax 'first;'
expect_err_has syntax "syntax.vbs("

# --- Command lines that cannot run: nothing runs, exit code 2. ---------------------------------
run missing first.vbs missing.vbs
expect_rc missing 2
expect_out missing ''
expect_err_has missing "docket-host: cannot read 'missing.vbs'"
expect_err_has missing "[0x80070002]"
run no_files
expect_rc no_files 2
expect_err_has no_files "usage: docket-host.exe"
run mixed first.vbs first.js
expect_rc mixed 2
expect_out mixed ''
run unknown_language first.txt
expect_rc unknown_language 2
run dashes -- first.vbs --args ignored
expect_rc dashes 0
expect_out dashes 'first;'

# --- Script files in each encoding come out as the same text. ----------------------------------
printf 'Response.Write "\xc3\xa9;"' >"$work/utf8.vbs"
printf '\xef\xbb\xbfResponse.Write "\xc3\xa9;"' >"$work/utf8bom.vbs"
printf '\xff\xfeR\0e\0s\0p\0o\0n\0s\0e\0.\0W\0r\0i\0t\0e\0 \0"\0\xe9\0;\0"\0' >"$work/utf16.vbs"
printf 'Response.Write "\xe9;"' >"$work/ansi.vbs"
run encodings utf8.vbs utf8bom.vbs utf16.vbs ansi.vbs
expect_rc encodings 0
expect_out encodings '\xc3\xa9;\xc3\xa9;\xc3\xa9;\xc3\xa9;'

# --- Host.Quit ends the page at once with its code; no error handler can catch it. -------------
fixture quit.vbs <<'EOF'
On Error Resume Next
Response.Write "before;"
Host.Quit 7
Response.Write "after;"
EOF
run quit quit.vbs third.vbs
expect_rc quit 7
expect_out quit 'before;'
fixture quit_failed.vbs <<'EOF'
Host.Check False, "failed before quitting"
Host.Quit 0
EOF
run quit_failed quit_failed.vbs
expect_rc quit_failed 1
expect_err_line quit_failed "1 checks, 1 failed"
fixture quit.js <<'EOF'
try { Host.Quit(3); } catch (e) { Response.Write("caught;"); }
Response.Write("after;");
EOF
run quit_js quit.js
expect_rc quit_js 3
expect_out quit_js ''

# --- OnStartPage and OnEndPage, seen through a script component registered for the test. -------
# The component writes through the Response it reaches from the context it was given, so the
# output shows when each call came and that the context answers Request, Response and Server.
# (It is written in JScript: Wine 8.0's VBScript cannot take the context as a plain IUnknown.)
fixture probe.wsc <<'EOF'
<?xml version="1.0"?>
<component>
<registration description="page host probe" progid="DocketHost.PageProbe" version="1.00" classid="{6B1E5C3A-2D4F-4A8B-9C71-3E5F0A2B7D41}"></registration>
<public>
<method name="OnStartPage"><parameter name="context"/></method>
<method name="OnEndPage"></method>
</public>
<script language="JScript">
<![CDATA[
var pageContext = null;
function OnStartPage(context) {
  if (context.Request.ServerVariables("DOCKET_PROBE_REFUSE") === "yes") throw new Error(4321, "probe refused");
  pageContext = context;
  context.Response.Write("started:" + context.Request.ServerVariables("DOCKET_HOST_PROBE") + ":" +
                         (context.Server.MapPath("p") !== "") + ";");
}
function OnEndPage() {
  pageContext.Response.Write("ended;");
}
]]>
</script>
</component>
EOF
probe=$(winpath "$work/probe.wsc")
"$wine" regsvr32 /s /n "/i:$probe" scrobj.dll >"$work/register.out" 2>&1
if [ $? -ne 0 ]; then
  not_ok "the probe component registers" "$work/register.out"
else
  fixture page.vbs <<'EOF'
Set probeA = Server.CreateObject("DocketHost.PageProbe")
Set probeB = Server.CreateObject("DocketHost.PageProbe")
Set plain = Server.CreateObject("Scripting.Dictionary")
Response.Write "body;"
EOF
  run page page.vbs
  expect_rc page 0
  expect_out page 'started:probe value:true;started:probe value:true;body;ended;ended;'

  fixture page_error.vbs <<'EOF'
Set probeA = Server.CreateObject("DocketHost.PageProbe")
Err.Raise 5
EOF
  run page_error page_error.vbs
  expect_rc page_error 1
  expect_out page_error 'started:probe value:true;ended;'

  fixture page_quit.js <<'EOF'
var first = Server.CreateObject("DocketHost.PageProbe");
Host.Quit(4);
EOF
  run page_quit page_quit.js
  expect_rc page_quit 4
  expect_out page_quit 'started:probe value:true;ended;'

  # A component whose OnStartPage fails is not handed out and hears no OnEndPage.
  fixture page_refused.vbs <<'EOF'
On Error Resume Next
Set refused = Server.CreateObject("DocketHost.PageProbe")
Response.Write CStr(Err.Number <> 0) & ";" & IsEmpty(refused) & ";"
EOF
  (cd "$work" && DOCKET_PROBE_REFUSE=yes "$wine" "$host" page_refused.vbs >page_refused.out 2>page_refused.err)
  rc=$?
  expect_rc page_refused 0
  expect_out page_refused 'True;True;'

  "$wine" regsvr32 /s /u /n "/i:$probe" scrobj.dll >"$work/unregister.out" 2>&1
fi

printf '%d cases, %d failed\n' "$cases" "$failed"
[ "$failed" -eq 0 ]
