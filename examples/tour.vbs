' A first tour of DocketMod: run it with ./scripts/demo (or, from the repository's root,
' docket-host.exe examples\tour.vbs --args examples). The page host creates the component as a
' web server's script host would.
Option Explicit
Dim fm, work, folder, stream, file, item, d, key, control, field

Set fm = Server.CreateObject("Corvane.FileManager")

Sub Show(label, value)
  Response.Write "  " & label & " = " & value & vbCrLf
End Sub

Response.Write "Path names" & vbCrLf
Show "BuildPath(""C:\reports"", ""2026.txt"")", fm.BuildPath("C:\reports", "2026.txt")
Show "GetParentFolderName(""C:\reports\2026.txt"")", fm.GetParentFolderName("C:\reports\2026.txt")
Show "GetBaseName(""C:\reports\2026.tar.gz"")", fm.GetBaseName("C:\reports\2026.tar.gz")
Show "GetExtensionName(""C:\reports\2026.tar.gz"")", fm.GetExtensionName("C:\reports\2026.tar.gz")
Show "GetAbsolutePathName(""C:\reports\..\logs\.\today.log"")", _
     fm.GetAbsolutePathName("C:\reports\..\logs\.\today.log")

Response.Write "Folders and files" & vbCrLf
work = fm.BuildPath(fm.GetSpecialFolder(2).Path, "docket-tour")
If fm.FolderExists(work) Then fm.DeleteFolder work, True
Set folder = fm.CreateFolder(fm.BuildPath(work, "logs\2026"))
Show "CreateFolder makes every level", folder.Path
Set stream = folder.CreateTextFile("today.log")
stream.WriteLine "first line"
stream.WriteLine "second line"
stream.Close
fm.CopyFile folder.Path & "\today.log", folder.Path & "\copy.log"
For Each file In folder.Files
  Show file.Name, file.Size & " bytes, modified " & file.DateLastModified
Next

Response.Write "Reading a text file line by line" & vbCrLf
Set stream = fm.OpenTextFile(folder.Path & "\today.log")
Do Until stream.AtEndOfStream
  Show "line " & stream.Line, stream.ReadLine
Loop
stream.Close

Response.Write "A dictionary, ordered by key without regard to case" & vbCrLf
Set d = Server.CreateObject("Docket.Dictionary")
d.Add "banana", 3
d.Add "Apple", 5
d.Add "cherry", 7
For key = 1 To d.Count
  Show "position " & key, d.Item(key)
Next
Show "d(""APPLE"")", d("APPLE")
d.Remove "banana"
For Each key In d.Keys
  Show "after Remove ""banana"", key", key
Next

Response.Write "A file into a database field and back (blob_field.vbs stands in for the field)" & vbCrLf
Set control = CreateObject("MSScriptControl.ScriptControl")
control.Language = "VBScript"
control.AddCode fm.OpenTextFile(Host.Arguments(0) & "\blob_field.vbs").ReadAll
Set field = control.CodeObject
fm.ExportToBlob folder.Path & "\today.log", field
Show "ExportToBlob of today.log: chunks in the field", field.ChunkCount()
fm.ImportFromBlob field, folder.Path & "\restored.log"
Show "ImportFromBlob into restored.log", fm.GetFile(folder.Path & "\restored.log").Size & " bytes"

Response.Write "Errors carry the system's text" & vbCrLf
On Error Resume Next
fm.CopyFile folder.Path & "\missing.log", folder.Path & "\x.log"
Show "CopyFile of a missing file", "0x" & Hex(Err.Number) & " " & Err.Description
Err.Clear
On Error GoTo 0

fm.DeleteFolder work, True
Show "cleaned up", Not fm.FolderExists(work)
