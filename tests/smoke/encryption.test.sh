#!/usr/bin/env bash
# File encryption through Wine's stock cscript, in phases: files, then each failure of the platform's
# cryptographic service from a test provider registered in place of the system's two while the test
# runs (the shell tests run alone). Argument: the x64 build folder.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
script=$(dirname "${BASH_SOURCE[0]}")/encryption/encryption.vbs
work=$(mktemp -d "$BUILD/scratch.XXXXXX")
files=$work/files pristine=$work/pristine
set_provider_image() {  # set_provider_image <Enhanced|Base> <image path>
  "$WINE" reg add "HKLM\\Software\\Microsoft\\Cryptography\\Defaults\\Provider\\Microsoft $1 Cryptographic Provider v1.0" \
    /v "Image Path" /t REG_SZ /d "$2" /f >"$work/reg.log" 2>&1
}
trap 'for p in Enhanced Base; do set_provider_image $p "C:\\windows\\system32\\rsaenh.dll"; done; rm -rf "$work"' EXIT
run_phase() { expect_done "cscript phase $1" "$work/$1.out" cscript "$script" "$(winpath "$files")" "$1"; }

mkdir -p "$files" "$pristine"
for size in 10 37 133 168 4101; do head -c "$size" /dev/urandom >"$pristine/t$size"; done
echo "a file that goes away" >"$pristine/gone"
echo "an output that must survive a provider failure" >"$pristine/keep"
cp "$pristine/"* "$files/"

same() { cmp -s "$files/$1" "$pristine/$2"; check "$1 holds $2" $?; }

run_phase files
for f in "$files"/*.dec; do f=${f##*/}; same "$f" "${f%%.*}"; done
for f in t10 t37 t133 t168 t4101; do same $f $f; done  # the inputs are untouched
for f in "$files"/*.wrong; do f=${f##*/}; ! cmp -s "$files/$f" "$pristine/${f%%.*}"; check "$f is garbage" $?; done
for f in unreadable.1 unreadable.2; do  # a read that fails leaves the output it created, empty
  [ -f "$files/$f" ] && [ ! -s "$files/$f" ]
  check "$f is empty" $?
done

provider=$(winpath "$1/bin/test_crypt_provider.dll")
set_provider_image Enhanced "$provider" && set_provider_image Base "$provider"
check "test provider registered" $?
for fault in acquire create-hash hash-data derive-key cipher data-refusal closing; do
  DOCKET_TEST_PROVIDER_FAULT=$fault run_phase "$fault"
done
same keep keep  # a provider failure leaves an existing output alone
same t4101.fake.dec t4101  # a refused closing call still ends a complete file
[ "$fails" -eq 0 ]
