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
# Start of image, then a frame header of 4000 by 3000 pixels in three components.
frame='\xff\xc0\x00\x11\x08\x0b\xb8\x0f\xa0\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01'
if [ ! -f "$work/segments-50mb.jpg" ]; then
  log "writing the sample images"
  {
    printf '\xff\xd8'
    segment=$(mktemp)
    { printf '\xff\xe1\xff\xff'; head -c 65533 /dev/zero | tr '\0' 'a'; } >"$segment"
    for _ in $(seq 800); do cat "$segment"; done  # 800 segments of 64 KiB: 52 MB
    rm -f "$segment"
    printf "$frame"'\xff\xd9'
  } >"$work/segments-50mb.jpg"
  { printf '\xff\xd8'"$frame"; head -c 4000 /dev/zero; } >"$work/small-4kib.jpg"
  truncate -s 4096 "$work/small-4kib.jpg"
  cp "$work/small-4kib.jpg" "$work/sparse-2gib.jpg"
  truncate -s 2G "$work/sparse-2gib.jpg"
fi

log "timing (about half a minute)"
out="$work/image.out"
wine_run "$BUILD/x64/bin/docket-host.exe" "$(winpath "$ROOT/bench/image_probe.vbs")" \
  --args "$(winpath "$work")" >"$out" 2>&1 || { cat "$out"; exit 1; }

awk '
  { seconds[$1] = $2; width[$1] = $3 }
  END {
    for (name in width) if (name ~ /^probe/ && width[name] != 4000) printf "WRONG: %s measured width %s\n", name, width[name]
    printf "%-44s %12s\n", "measure", "ms per call"
    printf "%-44s %12.3f\n", "probe, frame behind 50 MB of segments", seconds["probe-segments-50mb"] * 1000
    printf "%-44s %12.3f\n", "read of that file whole (BinaryStream)", seconds["read-segments-50mb"] * 1000
    printf "%-44s %12.3f\n", "probe, 2 GiB sparse file, frame first", seconds["probe-sparse-2gib"] * 1000
    printf "%-44s %12.3f\n", "probe, 4 KiB file", seconds["probe-small-4kib"] * 1000
    printf "probe / whole read: %.4f (target at most 0.1)\n", seconds["probe-segments-50mb"] / seconds["read-segments-50mb"]
    printf "2 GiB / 4 KiB probe: %.2f (target at most 2)\n", seconds["probe-sparse-2gib"] / seconds["probe-small-4kib"]
  }' "$out"
