' Folders as a page author uses them: make a tree, read it, copy, rename, move and delete it, and
' the messages a page shows when something is refused.
Option Explicit
On Error Resume Next

Dim scratch, fm, fso, data, copied
scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
Set fso = Server.CreateObject("Scripting.FileSystemObject")

Set data = fm.CreateFolder(scratch & "\site\data\")
AssertEqual data.Path, scratch & "\site\data\", "CreateFolder keeps the path as written"
fso.CreateTextFile(scratch & "\site\data\a.txt").Write "12345"
fso.CreateFolder scratch & "\site\data\logs"
fso.CreateTextFile(scratch & "\site\data\logs\b.log").Write "1234567890"
fm.CreateFolder scratch & "\site"
AssertError &H800700B7, Empty, "CreateFolder of an existing folder"

Set data = fm.GetFolder(scratch & "\site\data")
AssertEqual data.ParentFolder.Name, "site", "ParentFolder"
AssertEqual VarType(data.Size), vbDouble, "Size is a Double"
AssertEqual data.Size, 15, "Size adds up the tree"
AssertTrue fm.GetFolder("C:\").ParentFolder Is Nothing, "a root has no parent"
AssertError 0, Empty, "reading a folder"

fm.CopyFolder scratch & "\site\data", scratch & "\backup", False
AssertTrue fso.FileExists(scratch & "\backup\logs\b.log"), "CopyFolder copies the tree"
fm.CopyFolder scratch & "\site\data", scratch & "\backup", False
AssertError &H80020009, "Destination directory already exists.", "CopyFolder without overwrite"
data.Copy scratch & "\site\data\logs\again"
AssertError &H80020009, "Destination must not lie inside the folder being copied.", "Copy into itself"

Set copied = fm.GetFolder(scratch & "\backup")
copied.Name = "renamed"
AssertEqual copied.Path, scratch & "\renamed", "a renamed folder object follows"
copied.Move scratch & "\site"
AssertError &H80020009, "Destination file already exists.", "Move onto a folder"
fm.MoveFolder scratch & "\renamed", scratch & "\site\old"
AssertTrue fso.FileExists(scratch & "\site\old\a.txt"), "MoveFolder"

fso.CreateTextFile(scratch & "\site\old\locked.txt").Close
fso.GetFile(scratch & "\site\old\locked.txt").Attributes = 1
fm.DeleteFolder scratch & "\site\old"
AssertError &H80070005, Empty, "DeleteFolder stops at a read-only file"
fm.DeleteFolder scratch & "\site\old", True
AssertTrue Not fso.FolderExists(scratch & "\site\old"), "DeleteFolder with Force"

AssertTrue Right(fm.GetSpecialFolder(2).Path, 1) <> "\", "the temporary folder has no closing \"
Set data = fm.GetSpecialFolder(3)
AssertError &H80070057, "Invalid argument", "GetSpecialFolder of an unknown value"
Set data = fm.GetFolder(scratch & "\site\data\a.txt")
AssertError &H80020009, "Argument must be a directory.", "GetFolder of a file"
ExpectChecks 18
