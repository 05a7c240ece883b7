' Smoke test run by Wine's own cscript, as an administrator would try a fresh installation.
' Prints the surprises only; the shell test compares the output (cscript's exit code means nothing).
Option Explicit
Dim fm, id, obj, ids, f
Set fm = CreateObject("Corvane.FileManager")

' The eight path functions, each with one answer an installation must give.
Sub Expect(name, actual, expected)
  If actual <> expected Then WScript.Echo "surprise: " & name & " gave " & actual
End Sub
Expect "BuildPath", fm.BuildPath("C:\a", "b"), "C:\a\b"
Expect "GetDriveName", fm.GetDriveName("c:\temp\a.txt"), "c:"
Expect "GetParentFolderName", fm.GetParentFolderName("C:\Windows\System"), "C:\Windows"
Expect "GetFileName", fm.GetFileName("C:\a\b.txt"), "b.txt"
Expect "GetBaseName", fm.GetBaseName("C:\dir\archive.tar.gz"), "archive.tar"
Expect "GetExtensionName", fm.GetExtensionName("C:\dir\archive.tar.gz"), "gz"
Expect "GetAbsolutePathName", fm.GetAbsolutePathName("C:\a\..\b"), "C:\b"
Expect "GetTempName", LCase(Left(fm.GetTempName(), 3) & Right(fm.GetTempName(), 4)), "rad.tmp"

' Image sizes of the sample images (first argument): width x height x colours.
Sub ExpectImage(name, expected)
  Dim f
  Set f = fm.GetFile(fm.BuildPath(WScript.Arguments(0), name))
  Expect name, f.ImageWidth & "x" & f.ImageHeight & "x" & f.ImageColor, expected
End Sub
ExpectImage "gif89a_5x4_8.gif", "5x4x8"
ExpectImage "bmp24_3x2.bmp", "3x2x16777216"
ExpectImage "png_greyalpha8_3x2.png", "3x2x65536"
ExpectImage "jpeg_progressive_rgb_24x16.jpg", "24x16x16777216"
ExpectImage "jpeg_arithmetic_rgb_8x8.jpg", "0x0x0"
On Error Resume Next
f = fm.GetFile(fm.BuildPath(WScript.Arguments(0), "text.txt")).ImageWidth
Expect "text.txt", Err.Description, "Can't determine the file's type"
On Error GoTo 0

' The INI members, in a file of the scratch folder (second argument), defaults left out.
Dim ini
ini = fm.BuildPath(WScript.Arguments(1), "smoke.ini")
fm.INIWriteString ini, "s", "text", "value"
fm.INIWriteInteger ini, "s", "number", -5
fm.INIWriteBoolean ini, "s", "flag", -1
Expect "INIReadString", fm.INIReadString(ini, "s", "text"), "value"
Expect "INIReadString missing", fm.INIReadString(ini, "s", "none"), ""
Expect "INIReadInteger", fm.INIReadInteger(ini, "s", "number"), -5
Expect "INIReadInteger no number", fm.INIReadInteger(ini, "s", "text"), -1
Expect "INIReadBoolean", fm.INIReadBoolean(ini, "s", "flag"), 1
Expect "INIReadBoolean no number", fm.INIReadBoolean(ini, "s", "text", 9), 9
fm.INIDeleteKey ini, "s", "text"
Expect "INIDeleteKey", fm.INIReadString(ini, "s", "text", "gone"), "gone"
fm.INIDeleteSection ini, "s"
Expect "INIDeleteSection", fm.INIReadInteger(ini, "s", "number", 7), 7

' Every program identifier creates its object but the two that are not registered; only a
' surprise is printed.
ids = Array("Corvane.FileManager", "Corvane.FileManager.1", "Corvane.File.1", "Docket.File", _
            "Docket.FileCollection", "Docket.FileCollection.1", "Docket.Folder", "Docket.Folder.1", _
            "Docket.Dictionary", "Docket.Dictionary.1", "Docket.FolderCollection", _
            "Docket.FolderCollection.1", "Docket.Drive", "Docket.Drive.1", "Docket.DriveCollection", _
            "Docket.DriveCollection.1", "Docket.TextStream", "Docket.TextStream.1", _
            "Docket.BinaryStream", "Docket.BinaryStream.1", "Corvane.File", "Docket.PermItem")
On Error Resume Next
For Each id In ids
  Err.Clear
  Set obj = CreateObject(id)
  If (Err.Number = 0) <> (id <> "Corvane.File" And id <> "Docket.PermItem") Then WScript.Echo "surprise: " & id
  Set obj = Nothing
Next
WScript.Echo "done"
