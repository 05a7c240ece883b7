' Smoke test run by Wine's own cscript, as an administrator would try a fresh installation.
' Prints the surprises only; the shell test compares the output (cscript's exit code means nothing).
Option Explicit
Dim fm, id, obj, ids
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
