#!/usr/bin/env bash
# A write that the file system cuts short must fail, not pass as done. Under a file-size limit
# (ulimit -f, SIGXFSZ ignored) Wine's WriteFile reports success for the part that fitted; on Windows
# short writes come from quotas or network shares. Usage: short_write.test.sh [build folder]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
build=${1:-$BUILD/x64}
start_wine  # the server must run before the limit, or it would inherit it
scratch=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

cat >"$scratch/page.js" <<'PAGE'
var fm = new ActiveXObject("Corvane.FileManager");
var path = Host.Arguments(0) + "\\limited.bin";
var stream = fm.CreateBinaryFile(path);
var failed = false;
try { stream.Fill(65, 65536); } catch (e) { failed = true; }
stream.Close();
AssertEqual(failed, true, "Fill beyond the file-size limit fails");
var written = new VBArray(fm.OpenBinaryFile(path).ReadVarAll()).toArray().length;
AssertEqual(written > 0 && written < 65536, true, "the limit cut the write short (" + written + " bytes)");
ExpectChecks(2);
PAGE

(trap '' XFSZ; ulimit -f 8; wine_run "$build/bin/docket-host.exe" "$(winpath "$ROOT/tests/scripts/lib/assert.js")" \
   "$(winpath "$scratch/page.js")" --args "$(winpath "$scratch")")
