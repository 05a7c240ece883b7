' Drives, shares and type names in the prefix extra_drives.test.sh maps; volume facts as the
' scripting runtime's own drive objects give them.
Dim fm, fso, d, peer, listed, spec, x
Set fm = CreateObject("Corvane.FileManager")
Set fso = CreateObject("Scripting.FileSystemObject")

' Kinds in key order: C: fixed, D: CD-ROM, E: removable, F: remote, G: RAM disk, Z: fixed.
For Each d In fm.Drives: listed = listed & d.DriveLetter & d.DriveType: Next
Expect "Drives", listed & fm.Drives.Count & fm.Drives(2).Path & fm.Drives("G:\").DriveType, "C2D4E1F3G5Z26D:5"

' Every short form names the root.
For Each spec In Array("C", "d:", "F:\", "G")
  Set d = fm.GetDrive(spec)
  Set peer = fso.GetDrive(Left(spec, 1))
  Expect spec, fm.DriveExists(spec) & " " & d.Path & " " & d.RootFolder.Path & " " & d.IsReady & " [" & d.ShareName & "]", _
         "True " & Left(spec, 1) & ": " & Left(spec, 1) & ":\ True []"  ' Wine's network provider knows no connection
  Expect spec & " volume", d.FileSystem & d.SerialNumber & d.VolumeName & d.TotalSize, _
         peer.FileSystem & peer.SerialNumber & peer.VolumeName & peer.TotalSize
  Expect spec & " sizes are doubles", VarType(d.TotalSize) & VarType(d.FreeSpace) & VarType(d.AvailableSpace), "555"
Next
Expect "C: beyond 4 GiB", fm.GetDrive("C:\").TotalSize > 2 ^ 32 Or fso.GetDrive("C").TotalSize <= 2 ^ 32, True
Expect "DriveExists of a share", fm.DriveExists("\\server\share"), True
For Each spec In Array("Q", "Q:", "D:\x", "C:\windows", "\\server\nosuch", "", "C:" & Chr(0))
  Expect "DriveExists " & spec, fm.DriveExists(spec), False
Next

On Error Resume Next
For Each spec In Array("Q", "Q:\", "", "Cx")
  Set d = fm.GetDrive(spec) : ExpectError "GetDrive " & spec, &H80020009, "Device Unavailable."
Next
Set d = fm.GetDrive("\\server\nosuch") : ExpectError "GetDrive of a missing share", Empty, Empty
Set d = fm.GetDrive("C:\missing") : ExpectError "GetDrive of a missing path", Empty, Empty
' A NUL would cut the text short ("C:" and a NUL is no "C:"): refused as an invalid name.
Set d = fm.GetDrive("C:" & Chr(0)) : ExpectError "GetDrive with a NUL", &H8007007B, Empty
fm.GetDrive("C:").VolumeName = "a" & Chr(0) & "b" : ExpectError "a label with a NUL", &H8007007B, Empty
' Longer than a root, an existing path is kept as written and counts as a share; it is no volume
' root, so the volume queries fail with the system's reason.
Set d = fm.GetDrive("C:\windows")
Expect "C:\windows", d.Path & " " & d.ShareName & " " & d.IsReady, "C: C:\windows False"
x = d.VolumeName : ExpectError "VolumeName of C:\windows", Empty, Empty
x = d.SerialNumber : ExpectError "SerialNumber of C:\windows", Empty, Empty
Set d = fm.Drives("C") : ExpectError "Drives(""C"")", &H80020009, "Item not found."
' E: is listed (its root exists) but has no medium: its space cannot be read. (Wine still
' answers its volume queries, where Windows reports the drive not ready.)
Set d = fm.GetDrive("e:")
Expect "E: Path", d.Path, "e:"
x = d.TotalSize : ExpectError "E: TotalSize", Empty, Empty
x = d.FreeSpace : ExpectError "E: FreeSpace", Empty, Empty

Set d = fm.GetDrive("\\server\share")
Expect "share", d.Path & " " & d.DriveLetter & " " & d.ShareName & " " & VarType(d.FreeSpace) & " " & d.RootFolder.Path, _
       "\\server\share \ \\server\share 5 \\server\share"
Expect "a share's file and folder", fm.GetFile("\\server\share\sub\f.txt").Drive.Path & _
       fm.GetFolder("\\server\share\sub").Drive.Path, "\\server\share\\server\share"
CreateObject("WScript.Shell").CurrentDirectory = "D:\"
Expect "a relative file's Drive", fm.GetFile("README").Drive.Path, "D:"
Expect "a folder's Drive", fm.GetFolder("G:\").Drive.DriveType, 5
fm.GetDrive("C:").VolumeName = ""  ' an empty label clears the label

Expect "Type and MimeType", fm.GetFile("D:\page.DKX").Type & "|" & fm.GetFile("D:\page.DKX").MimeType, _
       "Docket Extra Test|text/x-docket"
Expect "no extension", fm.GetFile("D:\README").Type & fm.GetFile("D:\README").MimeType, ""
Expect "Folder.Type", fm.GetFolder("D:\").Type <> "", True
Done 44
