' A folder's Files and SubFolders as a page lists them: For Each, Count, and items by name and
' position. They need the collection classes and File's initialisers; while those are not in the
' module (their members answer "not implemented", 445) the checks are skipped.
Option Explicit
On Error Resume Next

Dim scratch, fm, fso
scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
Set fso = Server.CreateObject("Scripting.FileSystemObject")
AssertError 0, Empty, "objects created"

Function PartsPending()
    On Error Resume Next
    Dim count, file
    count = fm.GetFolder(scratch).Files.Count
    PartsPending = (Err.Number = 445)
    Err.Clear
    fso.CreateTextFile(scratch & "\probe.txt", True).Close
    Set file = fm.GetFile(scratch & "\probe.txt")
    If Err.Number = 445 Then PartsPending = True
    Err.Clear
    fso.DeleteFile scratch & "\probe.txt"
End Function

Function NamesOf(collection)
    Dim item, names
    names = ""
    For Each item In collection
        If names <> "" Then names = names & ","
        names = names & item.Name
    Next
    NamesOf = names
End Function

Sub ListingChecks()
    On Error Resume Next
    Dim name, folder, files
    For Each name In Array("b.txt", "A.txt", "_c.txt", "x.log")
        fso.CreateTextFile(scratch & "\" & name, True).Close
    Next
    fso.CreateFolder scratch & "\sub"
    fso.CreateFolder scratch & "\.config"
    fso.CreateTextFile(scratch & "\sub\inner.txt", True).Close
    AssertError 0, Empty, "test tree made"

    Set folder = fm.GetFolder(scratch)
    AssertEqual NamesOf(folder.Files), "_c.txt,A.txt,b.txt,x.log", "Files: every file, in key order"
    AssertEqual NamesOf(folder.SubFolders), ".config,sub", "SubFolders: every folder"

    folder.SearchWildCard = "*.txt"
    Set files = folder.Files
    AssertEqual files.Count, 3, "Files matching the pattern"
    AssertEqual files(1).Name, "_c.txt", "Files by position"
    AssertEqual files("B.TXT").Path, scratch & "\b.txt", "Files by name, any case"
    AssertEqual folder.SubFolders.Count, 2, "the pattern does not limit SubFolders"
    AssertEqual folder.SubFolders("SUB").Files.Count, 1, "a subfolder lists its own files"

    fso.CreateTextFile(scratch & "\d.txt", True).Close
    AssertEqual files.Count, 3, "a collection is a snapshot"
    AssertEqual folder.Files.Count, 4, "a new one sees the new file"
    AssertEqual fso.GetFile(scratch & "\d.txt").Name, folder.Files("d.txt").ParentFolder.Files("D.TXT").Name, _
        "File.ParentFolder leads back to the folder"
    ExpectChecks 12
End Sub

If PartsPending() Then
    Response.Write "skipped: the collections or File are not in this module yet" & vbLf
Else
    ListingChecks
End If
