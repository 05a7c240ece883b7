' A folder's Files and SubFolders as a page lists them.
Option Explicit
On Error Resume Next

Dim scratch, fm, fso, folder, name
scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
Set fso = Server.CreateObject("Scripting.FileSystemObject")
Set folder = fm.GetFolder(scratch)

Function NamesOf(collection)
    Dim item
    NamesOf = ""
    For Each item In collection
        NamesOf = NamesOf & item.Name & " "
    Next
End Function

AssertEqual folder.Files.Count, 0, "an empty folder lists nothing"
For Each name In Array("b.txt", "A.txt", "_c.txt", "x.log")
    fso.CreateTextFile(scratch & "\" & name).Close
Next
fso.CreateFolder scratch & "\sub"
fso.CreateFolder scratch & "\.config"
AssertEqual NamesOf(folder.Files), "_c.txt A.txt b.txt x.log ", "For Each over Files"
AssertEqual NamesOf(folder.SubFolders), ".config sub ", "For Each over SubFolders"
folder.SearchWildCard = "*.txt"
AssertEqual folder.Files.Count, 3, "Files matching the pattern"
AssertEqual folder.Files(1).Name, "_c.txt", "Files by position"
AssertEqual folder.Files("B.TXT").ParentFolder.Path, scratch, "Files by name, and back up"
AssertEqual folder.SubFolders("SUB").Files.Count, 0, "SubFolders by name"
AssertError 0, Empty, "listing raised nothing"
ExpectChecks 8
