' Folders as a page author uses them: make a tree, list it, copy, rename, move and delete it, and
' the messages a page shows when something is refused.
Option Explicit
On Error Resume Next

Dim scratch, fm, fso, data, copied, listed, item
scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
Set fso = Server.CreateObject("Scripting.FileSystemObject")

Set data = fm.CreateFolder(scratch & "\site\data\")
AssertEqual data.Path, scratch & "\site\data\", "CreateFolder keeps the path as written"
fso.CreateTextFile(scratch & "\site\data\b.txt").Write "12345"
fso.CreateTextFile(scratch & "\site\data\_a.txt").Close
fso.CreateFolder scratch & "\site\data\logs"
fso.CreateTextFile(scratch & "\site\data\logs\b.log").Write "1234567890"
fm.CreateFolder scratch & "\site"
AssertError &H800700B7, Empty, "CreateFolder of an existing folder"

Set data = fm.GetFolder(scratch & "\site\data")
For Each item In data.Files
    listed = listed & item.Name & " "
Next
AssertEqual listed, "_a.txt b.txt ", "For Each over Files in key order"
AssertEqual data.SubFolders("LOGS").Files(1).ParentFolder.Name, "logs", "by name, by position, and back up"
AssertEqual VarType(data.Size), vbDouble, "Size is a Double"
AssertEqual data.Size, 15, "Size adds up the tree"
AssertTrue fm.GetFolder("C:\").ParentFolder Is Nothing, "a root has no parent"
AssertError 0, Empty, "reading a folder"

fm.CopyFolder scratch & "\site\data", scratch & "\backup", False
AssertTrue fso.FileExists(scratch & "\backup\logs\b.log"), "CopyFolder copies the tree"
fm.CopyFolder scratch & "\site\data", scratch & "\backup", False
AssertError &H80020009, "Destination directory already exists.", "CopyFolder without overwrite"

Set copied = fm.GetFolder(scratch & "\backup")
copied.Name = "renamed"
AssertEqual copied.Path, scratch & "\renamed", "a renamed folder object follows"
copied.Move scratch & "\site"
AssertError &H80020009, "Destination file already exists.", "Move onto a folder"

fso.CreateTextFile(scratch & "\renamed\locked.txt").Close
fso.GetFile(scratch & "\renamed\locked.txt").Attributes = 1
fm.DeleteFolder scratch & "\renamed"
AssertError &H80070005, Empty, "DeleteFolder stops at a read-only file"
fm.DeleteFolder scratch & "\renamed", True
AssertTrue Not fso.FolderExists(scratch & "\renamed"), "DeleteFolder with Force"

Set data = fm.GetFolder(scratch & "\site\data\b.txt")
AssertError &H80020009, "Argument must be a directory.", "GetFolder of a file"
ExpectChecks 15
