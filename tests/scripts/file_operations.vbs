' A page that works with files by path and through File objects, as a page author writes it.
Option Explicit
On Error Resume Next

Dim folder, fm, f, unique
folder = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
AssertError 0, Empty, "the service is created by name"

' Creating, and the overwrite rule.
fm.CreateFile folder & "\a.txt"
AssertTrue fm.FileExists(folder & "\a.txt"), "CreateFile makes the file"
AssertEqual fm.FolderExists(folder & "\a.txt"), False, "a file is no folder"
AssertEqual fm.FileExists(folder), False, "a folder is no file"
fm.CreateFile folder & "\a.txt", False
AssertEqual Err.Source, "Corvane.FileManager.1", "the service reports under its own name"
AssertError &H80070050, Empty, "CreateFile without overwrite refuses an existing file"

' A File: names, size, dates and attributes read from the disk.
Set f = fm.GetFile(folder & "\a.txt")
AssertEqual f.Name, "a.txt", "File.Name"
AssertEqual f.Path, folder & "\a.txt", "File.Path"
AssertEqual f.Size, 0, "File.Size of an empty file"
AssertEqual VarType(f.Size), vbLong, "File.Size is a Long below 2 GB"
AssertEqual VarType(f.DateLastModified), vbDate, "File.DateLastModified is a date"
AssertTrue Abs(DateDiffSeconds(f.DateLastModified, Now)) < 3600, "File.DateLastModified is local and recent"
AssertEqual f.Accessible, 1, "File.Accessible"
f.Attributes = 16
AssertError 5, Empty, "File.Attributes refuses the directory bit (E_INVALIDARG)"
f.Attributes = 1
AssertEqual f.Attributes And 1, 1, "File.Attributes read-only"
f.Delete
AssertEqual Err.Source, "Corvane.File.1", "a File reports under its own name"
AssertError &H80070005, Empty, "File.Delete of a read-only file"
f.Append folder & "\x.txt"
AssertError 445, Empty, "File.Append is not offered"

' Copy and rename; the object keeps naming its old path.
f.Attributes = 0
f.Copy "b.txt"
AssertTrue fm.FileExists(folder & "\b.txt"), "File.Copy with a bare name copies beside it"
f.Name = "renamed.txt"
AssertTrue fm.FileExists(folder & "\renamed.txt"), "File.Name put renames on disk"
AssertEqual f.Name, "a.txt", "the File keeps its old name"
f.Delete True
AssertError &H80070002, Empty, "the old path is gone"

' Unique names use three characters of the prefix.
unique = fm.CreateUniqueFile(folder, "docket")
AssertEqual LCase(Mid(unique, Len(folder) + 2, 3)), "doc", "CreateUniqueFile prefix"
AssertTrue fm.FileExists(unique), "CreateUniqueFile leaves the file"

' Joining, with a gap in the optional sources.
WriteText folder & "\one.txt", "one"
WriteText folder & "\two.txt", "two"
fm.ConcatFiles folder & "\joined.txt", folder & "\one.txt", folder & "\two.txt", "", folder & "\one.txt"
AssertError 0, Empty, "ConcatFiles"
AssertEqual ReadText(folder & "\joined.txt"), "onetwoone", "ConcatFiles joins in order past the gap"
fm.ConcatFiles folder & "\joined2.txt", folder & "\one.txt", folder & "\missing.txt"
AssertEqual Left(Err.Description, Len(folder) + 14), folder & "\missing.txt: ", "ConcatFiles names the missing source"
AssertError &H80070002, Empty, "ConcatFiles of a missing source"
AssertEqual fm.FileExists(folder & "\joined2.txt"), False, "no destination without every source"

' Deleting by wildcard; the message of a pattern that matches nothing.
fm.DeleteFile folder & "\*.txt"
AssertError 0, Empty, "DeleteFile by wildcard"
AssertEqual fm.FileExists(folder & "\b.txt"), False, "DeleteFile removed b.txt"
fm.DeleteFile folder & "\*.txt"
AssertError &H80020009, folder & "\*.txt could not be found", "DeleteFile of nothing"
AssertEqual Err.Number, 0, "cleared"

ExpectChecks 33

Function DateDiffSeconds(a, b)
    DateDiffSeconds = (CDbl(a) - CDbl(b)) * 86400
End Function

Sub WriteText(path, text)
    Dim stream
    Set stream = Server.CreateObject("Scripting.FileSystemObject").CreateTextFile(path, True)
    stream.Write text
    stream.Close
End Sub

Function ReadText(path)
    Dim stream
    Set stream = Server.CreateObject("Scripting.FileSystemObject").OpenTextFile(path)
    ReadText = stream.ReadAll
    stream.Close
End Function
