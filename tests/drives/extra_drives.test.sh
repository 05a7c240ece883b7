#!/usr/bin/env bash
# Drive kinds the test prefix lacks, and a UNC share, in a Wine prefix of this test's own, driven by
# Wine's stock cscript in VBScript and JScript. Argument: the x64 build folder.
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../smoke/lib.sh"
export WINEPREFIX="$BUILD/wineprefix-drives"
targets="$BUILD/drive-targets"
out=$(mktemp -d)
trap '"$WINESERVER" -k 2>/dev/null; rm -rf "$out"' EXIT
[ -f "$WINEPREFIX/system.reg" ] || { "$WINE" wineboot -i >"$out/wineboot.log" 2>&1; "$WINESERVER" -w; }
"$WINESERVER" -k 2>/dev/null  # the mapping below takes effect when the server starts afresh

# D: a CD-ROM, E: a floppy drive whose medium is absent (its target never exists), F: a network
# drive, G: a RAM disk, and \\server\share; an extension with a type description and a content type.
rm -rf "$targets"
mkdir -p "$targets"/{cdrom,network,ramdisk} "$targets/share/sub" "$WINEPREFIX/dosdevices/unc/server"
printf x | tee "$targets/share/sub/f.txt" "$targets/cdrom/page.DKX" >"$targets/cdrom/README"
for link in d:cdrom e:absent f:network g:ramdisk; do
  ln -sfn "$targets/${link#*:}" "$WINEPREFIX/dosdevices/${link%%:*}:"
done
ln -sfn "$targets/share" "$WINEPREFIX/dosdevices/unc/server/share"
cat >"$out/setup.reg" <<'REG'
REGEDIT4

[HKEY_LOCAL_MACHINE\Software\Wine\Drives]
"d:"="cdrom"
"e:"="floppy"
"f:"="network"
"g:"="ramdisk"

[HKEY_CLASSES_ROOT\.dkx]
@="Docket.ExtraTest"
"Content Type"="text/x-docket"

[HKEY_CLASSES_ROOT\Docket.ExtraTest]
@="Docket Extra Test"
REG
"$WINE" reg import "$(winpath "$out/setup.reg")" >"$out/reg.log" 2>&1 || { cat "$out/reg.log"; exit 1; }
"$WINESERVER" -k 2>/dev/null
"$WINESERVER" -p

"$WINE" regsvr32 /s "$(winpath "$1/bin/DocketMod.dll")" >"$out/regsvr32.log" 2>&1
check "regsvr32 in the drives prefix" $?
for script in extra_drives.vbs extra_drives.js; do
  expect_done "$script" "$out/$script.txt" cscript "$here/$script"
done
[ "$fails" -eq 0 ]
