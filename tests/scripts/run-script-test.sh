#!/usr/bin/env bash
# Runs one script test in the page host with a fresh scratch folder, which it removes afterwards.
# Usage: run-script-test.sh docket-host.exe assert-lib test-script
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
host=$1 lib=$2 script=$3
scratch=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
wine_run "$host" "$(winpath "$lib")" "$(winpath "$script")" --args "$(winpath "$scratch")"
