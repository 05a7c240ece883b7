' A page that works with files through the service and File objects, as a page author writes it:
' the error numbers and sources a page sees.
Option Explicit
On Error Resume Next

Dim folder, fm, f, unique
folder = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")

fm.CreateFile folder & "\a.txt"
fm.CreateFile folder & "\a.txt", False
AssertEqual Err.Source, "Corvane.FileManager.1", "the service reports under its own name"
AssertError &H80070050, Empty, "CreateFile without overwrite refuses an existing file"

Set f = fm.GetFile(folder & "\a.txt")
AssertEqual VarType(f.Size), vbLong, "File.Size is a Long below 2 GB"
AssertEqual VarType(f.DateLastModified), vbDate, "File.DateLastModified is a date"
f.Attributes = 16
AssertError 5, Empty, "a bare E_INVALIDARG reaches the page as error 5"
f.Append folder & "\x.txt"
AssertError 445, Empty, "File.Append is not offered"
f.Attributes = 1
f.Delete
AssertEqual Err.Source, "Corvane.File.1", "a File reports under its own name"
AssertError &H80070005, Empty, "File.Delete of a read-only file"
f.Copy "b.txt"
f.Name = "c.txt"
AssertEqual f.Name & fm.FileExists(folder & "\b.txt") & fm.FileExists(folder & "\c.txt"), _
    "a.txtTrueTrue", "Copy and a rename by bare names; the File keeps its name"

unique = fm.CreateUniqueFile(folder, "docket")
AssertEqual LCase(Mid(unique, Len(folder) + 2, 3)), "doc", "CreateUniqueFile uses three characters"
fm.DeleteFile folder & "\*.txt", True
AssertError 0, Empty, "DeleteFile by wildcard, forced"
ExpectChecks 11
