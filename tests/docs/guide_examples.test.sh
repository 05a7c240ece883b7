#!/usr/bin/env bash
# Every example of docs/migrating.md, run in the page host (and, where the guide compares, with the
# scripting runtime's own objects too), against what the guide says it writes. Argument: the x64 build.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
export DOCKET_SCRATCH
DOCKET_SCRATCH=$(mktemp -d "$BUILD/scratch.XXXXXX")
trap 'rm -rf "$DOCKET_SCRATCH"' EXIT
python3 "$ROOT/tests/docs/guide_examples.py" "$1/bin/docket-host.exe" "$ROOT/docs/migrating.md" \
  "$ROOT/examples/migrating" "$ROOT/examples"
