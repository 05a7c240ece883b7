#!/usr/bin/env bash
# File encryption driven by Wine's own cscript (encryption/encryption.vbs, apart from the scripts
# smoke.test.sh runs: it needs the inputs and phases given here). Round trips in both methods are
# compared byte for byte here; then the failures of files, and every failure of the platform's
# cryptographic service, with a test provider registered in place of the system's two for as
# long as the test runs (the shell tests run alone).
# Usage: encryption.test.sh <x64 build folder>
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib/common.sh"
bin="$1/bin"
script=$(winpath "$(dirname "${BASH_SOURCE[0]}")/encryption/encryption.vbs")
work=$(mktemp -d "$BUILD/scratch.XXXXXX")
providers='HKLM\Software\Microsoft\Cryptography\Defaults\Provider'
set_provider_image() {  # set_provider_image <Enhanced|Base> <image path>
  "$WINE" reg add "$providers\\Microsoft $1 Cryptographic Provider v1.0" /v "Image Path" \
    /t REG_SZ /d "$2" /f >"$work/reg.log" 2>&1
}
restore_providers() {
  set_provider_image Enhanced 'C:\windows\system32\rsaenh.dll'
  set_provider_image Base 'C:\windows\system32\rsaenh.dll'
}
trap 'restore_providers; rm -rf "$work"' EXIT
fails=0
check() {  # check <what> <condition result>
  if [ "$2" -eq 0 ]; then echo "ok: $1"; else echo "FAIL: $1"; fails=$((fails + 1)); fi
}
run_phase() {  # run_phase <phase>: cscript must print "done" and nothing else
  "$WINE" cscript //nologo "$script" "$(winpath "$work/files")" "$1" >"$work/$1.out" 2>&1
  tr -d '\r' <"$work/$1.out" >"$work/$1.unix"
  echo done | diff - "$work/$1.unix"
  check "cscript phase $1" $?
}

mkdir -p "$work/files" "$work/pristine"
for size in 10 37 133 168 4101; do
  head -c "$size" /dev/urandom >"$work/pristine/t$size"
done
echo "a file that goes away" >"$work/pristine/gone"
echo "an output that must survive a provider failure" >"$work/pristine/keep"
cp "$work/pristine/"* "$work/files/"

run_phase files
for f in "$work"/files/*.dec; do
  base=$(basename "$f" | cut -d. -f1)
  cmp -s "$f" "$work/pristine/$base"
  check "$(basename "$f") restores $base" $?
done
for f in "$work"/files/*.enc; do
  base=$(basename "$f" | cut -d. -f1)
  [ "$(stat -c %s "$f")" -eq "$(stat -c %s "$work/pristine/$base")" ]
  check "$(basename "$f") is as long as $base" $?
done
for f in "$work"/files/*.wrong; do
  ! cmp -s "$f" "$work/pristine/t4101"
  check "$(basename "$f") is not the plaintext" $?
done
for method in 1 2; do
  [ -f "$work/files/unreadable.$method" ] && [ ! -s "$work/files/unreadable.$method" ]
  check "a read that fails leaves the output it created, empty (method $method)" $?
done
for f in t10 t37 t133 t168 t4101; do
  cmp -s "$work/files/$f" "$work/pristine/$f"
  check "input $f untouched" $?
done

provider=$(winpath "$bin/test_crypt_provider.dll")
set_provider_image Enhanced "$provider" && set_provider_image Base "$provider"
check "test provider registered" $?
for fault in acquire create-hash hash-data derive-key cipher data-refusal closing; do
  DOCKET_TEST_PROVIDER_FAULT=$fault run_phase "$fault"
done
cmp -s "$work/files/keep" "$work/pristine/keep"
check "a provider failure leaves an existing output alone" $?
cmp -s "$work/files/t4101.fake.dec" "$work/pristine/t4101"
check "a refused closing call still ends a complete file" $?

[ "$fails" -eq 0 ]
