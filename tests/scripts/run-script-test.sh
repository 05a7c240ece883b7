#!/usr/bin/env bash
# Usage: run-script-test.sh docket-host.exe assert-lib test-script. A fresh scratch folder is the
# argument, the examples folder Request.ServerVariables("DOCKET_EXAMPLES"). The page fails when
# anything of the module outlives it, unless a line "// no unload check: why" ("' ..." in VBScript)
# names a construct whose references Wine's script engine never gives back.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
host=$1 lib=$2 script=$3
scratch=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
DOCKET_EXAMPLES=$(winpath "$ROOT/examples")
export DOCKET_EXAMPLES
check=(--check-unload DocketMod.dll)
grep -qE "^(//|') no unload check:" "$script" && check=()
wine_run "$host" "${check[@]}" "$(winpath "$lib")" "$(winpath "$script")" --args "$(winpath "$scratch")"
