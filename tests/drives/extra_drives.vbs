' Drives, shares, and type names as Wine's stock cscript sees them in the prefix that
' extra_drives.test.sh maps. Prints the surprises only, then "done" (cscript's exit code means
' nothing). Volume facts are compared with the scripting runtime's own drive objects.
Option Explicit
Dim fm, fso, d, peer, listed, letter, spec, size
Set fm = CreateObject("Corvane.FileManager")
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Expect(what, actual, expected)
  If actual <> expected Then WScript.Echo "surprise: " & what & " gave " & actual & ", not " & expected
End Sub

' The last call failed with a system error (0x8007xxxx and the system's text); clears it.
Sub ExpectSystemError(what)
  If (Err.Number And &HFFFF0000) <> &H80070000 Or Err.Description = "" Then
    WScript.Echo "surprise: " & what & " raised " & Hex(Err.Number) & " " & Err.Description
  End If
  Err.Clear
End Sub

' Kinds in key order: C: fixed, D: CD-ROM, E: removable, F: remote, G: RAM disk, Z: fixed.
For Each d In fm.Drives
  listed = listed & d.DriveLetter & d.DriveType
Next
Expect "Drives", listed, "C2D4E1F3G5Z2"
Expect "Drives.Count", fm.Drives.Count, 6
Expect "Drives(2).Path", fm.Drives(2).Path, "D:"
Expect "Drives(""G:\"").DriveType", fm.Drives("G:\").DriveType, 5

For Each letter In Array("C", "D", "F", "G")
  Set d = fm.GetDrive(letter)
  Set peer = fso.GetDrive(letter)
  Expect letter & " Path", d.Path, letter & ":"
  Expect letter & " IsReady", d.IsReady, True
  Expect letter & " FileSystem", d.FileSystem, peer.FileSystem
  Expect letter & " SerialNumber", d.SerialNumber, peer.SerialNumber
  Expect letter & " VolumeName", d.VolumeName, peer.VolumeName
  Expect letter & " TotalSize", d.TotalSize, peer.TotalSize
  Expect letter & " TotalSize type", VarType(d.TotalSize), vbDouble
  Expect letter & " FreeSpace type", VarType(d.FreeSpace), vbDouble
  Expect letter & " AvailableSpace type", VarType(d.AvailableSpace), vbDouble
  Expect letter & " RootFolder", d.RootFolder.Path, letter & ":\"
  Expect letter & " ShareName", d.ShareName, ""  ' Wine's network provider knows no connection
Next

For Each spec In Array("D", "e:", "F:\", "\\server\share")
  Expect "DriveExists " & spec, fm.DriveExists(spec), True
Next
For Each spec In Array("Q", "Q:", "D:\x", "\\server\nosuch", "")
  Expect "DriveExists " & spec, fm.DriveExists(spec), False
Next

On Error Resume Next
' E: is listed (its root exists) but has no medium: its space cannot be read. (Wine still
' answers its volume queries, where Windows reports the drive not ready.)
Set d = fm.GetDrive("E:\")
Expect "E: Path", d.Path, "E:"
size = d.TotalSize
ExpectSystemError "E: TotalSize"
size = d.FreeSpace
ExpectSystemError "E: FreeSpace"

Set d = fm.GetDrive("Q:")
Expect "GetDrive Q:", Hex(Err.Number) & " " & Err.Description, "80020009 Device Unavailable."
Err.Clear
Set d = fm.GetDrive("\\server\nosuch")
ExpectSystemError "GetDrive of a missing share"

Set d = fm.GetDrive("\\server\share")
Expect "share Path", d.Path, "\\server\share"
Expect "share DriveLetter", d.DriveLetter, "\"
Expect "share ShareName", d.ShareName, "\\server\share"
Expect "share FreeSpace type", VarType(d.FreeSpace), vbDouble
Expect "share RootFolder", d.RootFolder.Path, "\\server\share"
Expect "share file's Drive", fm.GetFile("\\server\share\sub\f.txt").Drive.Path, "\\server\share"
Expect "share folder's Drive", fm.GetFolder("\\server\share\sub").Drive.Path, "\\server\share"
Expect "file's Drive", fm.GetFile("D:\README").Drive.Path, "D:"
Expect "folder's Drive", fm.GetFolder("G:\").Drive.DriveType, 5

fm.GetDrive("C:").VolumeName = ""
Expect "no error since GetDrive of a missing share, clearing the label", Hex(Err.Number), "0"
Err.Clear

Expect "Type", fm.GetFile("D:\page.DKX").Type, "Docket Extra Test"
Expect "MimeType", fm.GetFile("D:\page.DKX").MimeType, "text/x-docket"
Expect "Type without extension", fm.GetFile("D:\README").Type, ""
Expect "MimeType without extension", fm.GetFile("D:\README").MimeType, ""
Expect "Folder.Type", fm.GetFolder("D:\").Type <> "", True
Expect "errors on the way", Hex(Err.Number), "0"
WScript.Echo "done"
