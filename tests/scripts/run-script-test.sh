#!/usr/bin/env bash
# Runs one script test in the page host with a fresh scratch folder, which it removes afterwards.
# The page fails when anything of the module is left alive once it has ended, unless it says on a
# line of its own why it cannot be checked ("// no unload check: ..." or "' no unload check: ...":
# a construct whose references Wine's script engine never gives back).
# The examples folder is named in the environment (Request.ServerVariables("DOCKET_EXAMPLES")), for
# tests that use a script of it.
# Usage: run-script-test.sh docket-host.exe assert-lib test-script
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
host=$1 lib=$2 script=$3
scratch=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export DOCKET_EXAMPLES
DOCKET_EXAMPLES=$(winpath "$ROOT/examples")
check=(--check-unload DocketMod.dll)
grep -qE "^(//|') no unload check:" "$script" && check=()
wine_run "$host" "${check[@]}" "$(winpath "$lib")" "$(winpath "$script")" --args "$(winpath "$scratch")"
