' Names as a VBScript page builds them. A name that hides a NUL ("report.txt" & Chr(0) & ".exe"
' passes a check of its last four characters) is refused with the system's invalid-name error and
' reaches no file; a name in the system code page (1252 here: é, the euro sign) works on exactly
' the file it names.
Option Explicit
On Error Resume Next

Dim scratch, fm, fso, hidden, invalidName, f, d, stream, accented, listed, item
scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
Set fso = Server.CreateObject("Scripting.FileSystemObject")
fso.CreateTextFile(scratch & "\report.txt").Write "keep"
fso.CreateFolder scratch & "\data"

' What the platform itself says of a bad name.
fm.CreateFile scratch & "\bad|name"
invalidName = Err.Description
Err.Clear

hidden = scratch & "\report.txt" & Chr(0) & ".exe"
AssertEqual Right(hidden, 4), ".exe", "the name looks like an .exe"
fm.MoveFile hidden, scratch & "\moved.txt"
AssertError &H8007007B, invalidName, "MoveFile"
fm.CopyFile scratch & "\data\..\report.txt", hidden
AssertError &H8007007B, invalidName, "CopyFile onto it"
fm.DeleteFile hidden, True
AssertError &H8007007B, invalidName, "DeleteFile"
fm.OpenTextFile hidden, 2
AssertError &H8007007B, invalidName, "OpenTextFile for writing"
fm.CreateFolder scratch & "\data" & Chr(0) & "\new"
AssertError &H8007007B, invalidName, "CreateFolder"
Set f = fm.GetFile(scratch & "\report.txt")
f.Name = "renamed.txt" & Chr(0)
AssertError &H8007007B, invalidName, "File.Name"
Set d = fm.GetFolder(scratch & "\data")
d.Name = "renamed" & Chr(0) & "x"
AssertError &H8007007B, invalidName, "Folder.Name"
AssertEqual fm.FileExists(hidden), False, "FileExists"
AssertEqual fm.GetFileName(hidden), "", "GetFileName"
AssertEqual fso.OpenTextFile(scratch & "\report.txt").ReadAll & f.Name & d.Name, _
    "keepreport.txtdata", "report.txt and data untouched"

accented = "caf" & Chr(233) & " " & Chr(128) & ".txt"
Set stream = fm.CreateTextFile(scratch & "\data\" & accented)
stream.Write "x"
stream.Close
For Each item In fm.GetFolder(scratch & "\data").Files
    listed = listed & item.Name
Next
AssertEqual listed, accented, "a name in the system code page is created as written"
AssertEqual fm.FileExists(scratch & "\data\" & accented), True, "and found as written"
AssertError 0, Empty, "no error on the way"
ExpectChecks 14
