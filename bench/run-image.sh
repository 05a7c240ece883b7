#!/usr/bin/env bash
# The image header probe: a JPEG whose frame header lies behind 50 MB of application segments
# against reading that file whole, and a 2 GiB sparse JPEG against a 4 KiB one, in one run under
# the same Wine. See bench/README.md.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$ROOT" || exit 1
build_x64 || exit 1
start_wine
trap stop_wine EXIT
register_module || { log "registration failed"; exit 1; }

work="$BUILD/bench/images"
mkdir -p "$work"
# A frame header of 4000 by 3000 pixels in three components.
frame='\xff\xc0\x00\x11\x08\x0b\xb8\x0f\xa0\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01'
if [ ! -f "$work/segments-50mb.jpg" ]; then
  log "writing the sample images"
  segment=$(printf '\xff\xe1\xff\xff'; head -c 65533 /dev/zero | tr '\0' 'a')
  { printf '\xff\xd8'; for _ in $(seq 800); do printf '%s' "$segment"; done; printf "$frame"'\xff\xd9'; } \
    >"$work/segments-50mb.jpg"  # 800 segments of 64 KiB: 52 MB
  { printf '\xff\xd8'"$frame"; head -c 4075 /dev/zero; } >"$work/small-4kib.jpg"  # 4 KiB
  cp "$work/small-4kib.jpg" "$work/sparse-2gib.jpg"
  truncate -s 2G "$work/sparse-2gib.jpg"
fi

log "timing (about half a minute)"
wine_run "$BUILD/x64/bin/docket-host.exe" "$(winpath "$ROOT/bench/image_probe.vbs")" \
  --args "$(winpath "$work")" | tee "$work/image.out"
