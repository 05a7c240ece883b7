#!/usr/bin/env bash
# File encryption speed, in one run: Twofish natively against nettle's (bench/twofish_speed.cpp),
# then EncryptFile and DecryptFile on a 64 MB file under Wine next to the platform's own RC4
# (bench/encrypt_file_speed.cpp). See bench/README.md.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib/common.sh"
cd "$ROOT" || exit 1
PACKAGES+=(nettle-dev)  # the reference Twofish, linked into the native benchmark only
ensure_packages || exit 1
work="$BUILD/bench"
mkdir -p "$work"

log "Twofish, native (ours against nettle)"
g++ -std=c++20 -O2 -Isrc bench/twofish_speed.cpp src/crypto/twofish.cpp -lnettle \
  -o "$work/twofish_speed" || exit 1
"$work/twofish_speed" | tee "$work/twofish.out"

build_x64 || exit 1
start_wine
trap stop_wine EXIT
register_module || { log "registration failed"; exit 1; }
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -municode bench/encrypt_file_speed.cpp \
  -o "$work/encrypt_file_speed.exe" -lole32 -loleaut32 -luuid -ladvapi32 || exit 1
sample="$work/sample-64mb.bin"
[ -f "$sample" ] || head -c 64M /dev/urandom >"$sample"

log "EncryptFile and DecryptFile under Wine (about a minute)"
wine_run "$work/encrypt_file_speed.exe" "$(winpath "$sample")" "$(winpath "$work")" | tee "$work/files.out"
rm -f "$work/encrypted.bin" "$work/decrypted.bin"
