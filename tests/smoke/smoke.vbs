' Smoke test run by Wine's own cscript, as an administrator would try a fresh installation.
' Prints one line per answer; the shell test compares them (cscript's exit code means nothing).
Option Explicit
Dim fm, id, obj, ids
Set fm = CreateObject("Corvane.FileManager")
WScript.Echo "BuildPath=" & fm.BuildPath("C:\a", "b")
WScript.Echo "GetDriveName=" & fm.GetDriveName("c:\temp\a.txt")
WScript.Echo "GetParentFolderName=" & fm.GetParentFolderName("C:\Windows\System")
WScript.Echo "GetFileName=" & fm.GetFileName("C:\a\b.txt")
WScript.Echo "GetBaseName=" & fm.GetBaseName("C:\dir\archive.tar.gz")
WScript.Echo "GetExtensionName=" & fm.GetExtensionName("C:\dir\archive.tar.gz")
WScript.Echo "GetAbsolutePathName=" & fm.GetAbsolutePathName("C:\a\..\b")
WScript.Echo "GetTempName=" & LCase(Left(fm.GetTempName(), 3)) & "*" & LCase(Right(fm.GetTempName(), 4))

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
  If Err.Number = 0 Then WScript.Echo "create " & id & "=ok" Else WScript.Echo "create " & id & "=fails"
  Set obj = Nothing
Next
WScript.Echo "done"
