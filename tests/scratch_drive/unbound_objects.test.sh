#!/usr/bin/env bash
# Objects created by name, driven by Wine's stock cscript from the root of a scratch drive mapped for
# the test (run alone): every member that would touch the disk is refused, and the drive untouched.
set -uo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
source "$here/../smoke/lib.sh"
out=$(mktemp -d)
scratch="$out/drive"
mkdir -p "$scratch/sub/deeper"
echo keep >"$scratch/keep.txt"
echo inner >"$scratch/sub/inner.txt"
echo deeper >"$scratch/sub/deeper/x.txt"

# The members, by the objects that have them: "Size" is read (or called, "Copy('x')") and
# "Name='x'" written; each becomes a statement of RefuseEveryMember, which answers their number.
members=0
refuse() {  # refuse <program identifiers> <member>...
  local ids=$1 m
  shift
  printf '  For Each id In Array(%s)\n    Set o = CreateObject(id)\n' "$ids"
  for m in "${@//\'/\"}"; do
    case $m in
      *=*) echo "    o.$m : Refused id & \".${m%%=*} =\"" ;;
      *) echo "    x = o.$m : Refused id & \".${m%%(*}\"" ;;
    esac
  done
  echo "  Next"
  members=$((members + $# * $(tr -cd , <<<"$ids," | wc -c)))
}
{
  echo "Function RefuseEveryMember()"
  echo "  Dim id, o, x"
  echo "  On Error Resume Next"
  refuse '"Docket.Folder", "Docket.Folder.1", "Docket.File", "Corvane.File.1"' "Name='renamed'" Type \
    DateCreated DateLastModified DateLastAccessed Attributes Attributes=1 Size ParentFolder Drive \
    ShortPath ShortName FileSystem Owner "Owner='Everyone'" Permissions OrderPermissions \
    "AllowAccess('Everyone', 1)" "DenyAccess('Everyone', 1)" "RevokeAllowance('Everyone')" \
    "RevokeDenial('Everyone')" "Delete(True)" "Copy('copy.txt')" "Move('moved.txt')"
  refuse '"Docket.Folder", "Docket.Folder.1"' Files SubFolders IsRootFolder Accessible \
    "CreateTextFile('new.txt')" "CreateBinaryFile('new.bin')"
  refuse '"Docket.File", "Corvane.File.1"' "Append('other.txt')" "Compare('other.txt')" MimeType \
    "Encrypt('out.bin', 'secret', 1)" "Decrypt('out.txt', 'secret', 1)" ImageWidth ImageHeight \
    ImageColor "OpenAsTextStream(2)" "OpenAsBinaryStream(2)"
  refuse '"Docket.Drive", "Docket.Drive.1"' ShareName DriveType RootFolder AvailableSpace FreeSpace \
    TotalSize VolumeName "VolumeName=''" FileSystem SerialNumber IsReady
  refuse '"Docket.TextStream", "Docket.BinaryStream"' "Read(3)" ReadAll "Skip(1)" "Write('x')"
  refuse '"Docket.TextStream"' ReadLine SkipLine "WriteLine('x')" "WriteBlankLines(1)"
  refuse '"Docket.BinaryStream"' "ReadVar(3)" ReadVarAll "Fill(65, 3)"
  echo "  RefuseEveryMember = $members"
  echo "End Function"
} | cat "$here/unbound_objects.vbs" - >"$out/unbound_objects.vbs"

# A link under dosdevices is a drive at once, without a restart of the server.
letter=""
for l in s t u v w x y; do
  [ -e "$WINEPREFIX/dosdevices/$l:" ] || { letter=$l; break; }
done
[ -n "$letter" ] || { echo "FAIL: no free drive letter"; exit 1; }
ln -s "$scratch" "$WINEPREFIX/dosdevices/$letter:"
trap 'rm -f "$WINEPREFIX/dosdevices/$letter:"; rm -rf "$out"' EXIT

listing() { (cd "$scratch" && find . -printf '%p %y %s %T@ %m\n' | sort); }
listing >"$out/before"
expect_done "every member refused" "$out/answers.txt" cscript "$out/unbound_objects.vbs" "${letter^^}:"
listing | diff "$out/before" -
check "the drive untouched" $?
[ "$fails" -eq 0 ]
