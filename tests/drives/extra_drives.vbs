' Drives, shares and type names as Wine's stock cscript sees them in the prefix that
' extra_drives.test.sh maps. Prints the surprises only, then "done" (cscript's exit code means
' nothing). Volume facts are compared with the scripting runtime's own drive objects.
Option Explicit
Dim fm, fso, d, peer, listed, spec, size
Set fm = CreateObject("Corvane.FileManager")
Set fso = CreateObject("Scripting.FileSystemObject")

Sub Expect(what, actual, expected)
  If actual <> expected Then WScript.Echo "surprise: " & what & " gave " & actual & ", not " & expected
End Sub

' The statement before failed with `number` (any system error, 0x8007xxxx, when Empty) and with
' `description` (any but none when Empty). Clears the error.
Sub ExpectFailure(what, number, description)
  Dim ok
  If IsEmpty(number) Then ok = (Err.Number And &HFFFF0000) = &H80070000 Else ok = Err.Number = number
  If IsEmpty(description) Then ok = ok And Err.Description <> "" Else ok = ok And Err.Description = description
  If Not ok Then WScript.Echo "surprise: " & what & " raised " & Hex(Err.Number) & " " & Err.Description
  Err.Clear
End Sub

' Kinds in key order: C: fixed, D: CD-ROM, E: removable, F: remote, G: RAM disk, Z: fixed.
For Each d In fm.Drives
  listed = listed & d.DriveLetter & d.DriveType
Next
Expect "Drives", listed, "C2D4E1F3G5Z2"
Expect "Drives.Count", fm.Drives.Count, 6
Expect "Drives(2)", fm.Drives(2).Path, "D:"
Expect "Drives(""G:\"")", fm.Drives("G:\").DriveType, 5

' Every short form names the root.
For Each spec In Array("C", "d:", "F:\", "G")
  Set d = fm.GetDrive(spec)
  Set peer = fso.GetDrive(Left(spec, 1))
  Expect spec & " DriveExists", fm.DriveExists(spec), True
  Expect spec & " Path", d.Path, Left(spec, 1) & ":"
  Expect spec & " RootFolder", d.RootFolder.Path, Left(spec, 1) & ":\"
  Expect spec & " IsReady", d.IsReady, True
  Expect spec & " FileSystem", d.FileSystem, peer.FileSystem
  Expect spec & " SerialNumber", d.SerialNumber, peer.SerialNumber
  Expect spec & " VolumeName", d.VolumeName, peer.VolumeName
  Expect spec & " TotalSize", d.TotalSize, peer.TotalSize
  Expect spec & " sizes are doubles", _
         VarType(d.TotalSize) & VarType(d.FreeSpace) & VarType(d.AvailableSpace), "555"
  Expect spec & " ShareName", d.ShareName, ""  ' Wine's network provider knows no connection
Next
Set d = fm.GetDrive("C:\")
Expect "C: beyond 4 GiB", d.TotalSize > 2 ^ 32 Or fso.GetDrive("C").TotalSize <= 2 ^ 32, True
Expect "DriveExists of a share", fm.DriveExists("\\server\share"), True
For Each spec In Array("Q", "Q:", "D:\x", "C:\windows", "\\server\nosuch", "", "C:" & Chr(0))
  Expect "DriveExists " & spec, fm.DriveExists(spec), False
Next

On Error Resume Next
For Each spec In Array("Q", "Q:\", "", "Cx")
  Set d = fm.GetDrive(spec)
  ExpectFailure "GetDrive " & spec, &H80020009, "Device Unavailable."
Next
Set d = fm.GetDrive("\\server\nosuch") : ExpectFailure "GetDrive of a missing share", Empty, Empty
Set d = fm.GetDrive("C:\missing") : ExpectFailure "GetDrive of a missing path", Empty, Empty
' A NUL would cut the text short ("C:" and a NUL is no "C:"): refused as an invalid name.
Set d = fm.GetDrive("C:" & Chr(0)) : ExpectFailure "GetDrive with a NUL", &H8007007B, Empty
fm.GetDrive("C:").VolumeName = "a" & Chr(0) & "b"
ExpectFailure "a label with a NUL", &H8007007B, Empty
' Longer than a root, an existing path is kept as written and counts as a share; it is no volume
' root, so the volume queries fail with the system's reason.
Set d = fm.GetDrive("C:\windows")
Expect "C:\windows", d.Path & " " & d.ShareName & " " & d.IsReady, "C: C:\windows False"
size = d.VolumeName : ExpectFailure "VolumeName of C:\windows", Empty, Empty
size = d.SerialNumber : ExpectFailure "SerialNumber of C:\windows", Empty, Empty
Set d = fm.Drives("C") : ExpectFailure "Drives(""C"")", &H80020009, "Item not found."
' E: is listed (its root exists) but has no medium: its space cannot be read. (Wine still
' answers its volume queries, where Windows reports the drive not ready.)
Set d = fm.GetDrive("e:")
Expect "E: Path", d.Path, "e:"
size = d.TotalSize : ExpectFailure "E: TotalSize", Empty, Empty
size = d.FreeSpace : ExpectFailure "E: FreeSpace", Empty, Empty

Set d = fm.GetDrive("\\server\share")
Expect "share Path", d.Path, "\\server\share"
Expect "share DriveLetter", d.DriveLetter, "\"
Expect "share ShareName", d.ShareName, "\\server\share"
Expect "share FreeSpace", VarType(d.FreeSpace), vbDouble
Expect "share RootFolder", d.RootFolder.Path, "\\server\share"
Expect "share file's Drive", fm.GetFile("\\server\share\sub\f.txt").Drive.Path, "\\server\share"
Expect "share folder's Drive", fm.GetFolder("\\server\share\sub").Drive.Path, "\\server\share"
CreateObject("WScript.Shell").CurrentDirectory = "D:\"
Expect "a relative file's Drive", fm.GetFile("README").Drive.Path, "D:"
Expect "a folder's Drive", fm.GetFolder("G:\").Drive.DriveType, 5
fm.GetDrive("C:").VolumeName = ""  ' an empty label clears the label

Expect "Type", fm.GetFile("D:\page.DKX").Type, "Docket Extra Test"
Expect "MimeType", fm.GetFile("D:\page.DKX").MimeType, "text/x-docket"
Expect "no extension", fm.GetFile("D:\README").Type & fm.GetFile("D:\README").MimeType, ""
Expect "Folder.Type", fm.GetFolder("D:\").Type <> "", True
Expect "errors since the share", Hex(Err.Number), "0"
WScript.Echo "done"
