' Folders as a page author uses them: create a tree, read it, copy, move, rename and delete it,
' and the messages a page shows when something is refused.
Option Explicit
On Error Resume Next

Dim scratch, fm, fso, site, data, parent, copied, root, temp, size, renamed

scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
Set fso = Server.CreateObject("Scripting.FileSystemObject")
AssertError 0, Empty, "objects created"

Sub WriteText(path, text)
    Dim stream
    Set stream = fso.CreateTextFile(path, True)
    stream.Write text
    stream.Close
End Sub

' CreateFolder makes every missing level and keeps the path as written.
Set site = fm.CreateFolder(scratch & "\site\data\")
AssertError 0, Empty, "CreateFolder of a nested path"
AssertEqual site.Path, scratch & "\site\data\", "the trailing backslash stays in Path"
AssertEqual site.Name, "", "and the name is empty"
WriteText scratch & "\site\data\a.txt", "12345"
fso.CreateFolder scratch & "\site\data\logs"
WriteText scratch & "\site\data\logs\b.log", "1234567890"

Set data = fm.GetFolder(scratch & "\site\data")
AssertEqual data.Name, "data", "Name of a folder"
AssertTrue Not data.IsRootFolder, "a subfolder is not a root"
Set parent = data.ParentFolder
AssertEqual parent.Name, "site", "ParentFolder"
size = data.Size
AssertEqual VarType(size), vbDouble, "Size is a Double"
AssertEqual size, 15, "Size adds up the whole tree"
AssertEqual VarType(fm.GetFolder(scratch & "\site\data\logs").Size), vbDouble, "even a small one"

' Copy into a new folder, then refuse to copy over it unless overwriting.
fm.CopyFolder scratch & "\site\data", scratch & "\backup", False
AssertError 0, Empty, "CopyFolder to a new folder"
AssertTrue fso.FileExists(scratch & "\backup\logs\b.log"), "the copy holds the tree"
fm.CopyFolder scratch & "\site\data", scratch & "\backup", False
AssertError &H80020009, "Destination directory already exists.", "CopyFolder without overwrite"
fm.CopyFolder scratch & "\site\data", scratch & "\backup"
AssertError 0, Empty, "CopyFolder overwrites by default"
data.Copy scratch & "\site\data\logs\again"
AssertError &H80020009, "Destination must not lie inside the folder being copied.", "Copy into itself"
data.Copy scratch & "\site\data\a.txt"
AssertError &H80020009, "Destination must be a directory", "Copy onto a file"

' Rename: the object follows. Move: it keeps the old path.
Set copied = fm.GetFolder(scratch & "\backup")
copied.Name = "renamed"
AssertError 0, Empty, "Name put"
AssertEqual copied.Path, scratch & "\renamed", "the folder follows its new name"
AssertTrue fso.FolderExists(scratch & "\renamed"), "renamed on disk"
copied.Move scratch & "\site"
AssertError &H80020009, "Destination file already exists.", "Move onto an existing folder"
copied.Move copied.Path
AssertError 0, Empty, "Move to its own path does nothing"
fm.MoveFolder scratch & "\renamed", scratch & "\site\old"
AssertError 0, Empty, "MoveFolder"
AssertTrue fso.FileExists(scratch & "\site\old\a.txt"), "moved with its contents"

' Delete: a read-only file stops it unless forced.
WriteText scratch & "\site\old\locked.txt", "x"
fso.GetFile(scratch & "\site\old\locked.txt").Attributes = 1
fm.DeleteFolder scratch & "\site\old"
AssertError &H80070005, Empty, "DeleteFolder stops at a read-only file"
AssertTrue fso.FileExists(scratch & "\site\old\locked.txt"), "and leaves it"
fm.DeleteFolder scratch & "\site\old", True
AssertError 0, Empty, "DeleteFolder with Force"
AssertTrue Not fso.FolderExists(scratch & "\site\old"), "the tree is gone"

' Roots and special folders.
Set root = fm.GetFolder("C:\")
AssertTrue root.IsRootFolder, "C:\ is a root"
AssertTrue root.ParentFolder Is Nothing, "a root has no parent"
AssertError 0, Empty, "asking for a root's parent is no error"
Set temp = fm.GetSpecialFolder(2)
AssertTrue Right(temp.Path, 1) <> "\", "the temporary folder has no trailing backslash"
Set temp = fm.GetSpecialFolder(3)
AssertError &H80070057, "Invalid argument", "GetSpecialFolder of an unknown value"

' Refusals a page shows.
Set renamed = fm.GetFolder(scratch & "\site\data\a.txt")
AssertError &H80020009, "Argument must be a directory.", "GetFolder of a file"
fm.CreateFolder scratch & "\site"
AssertError &H800700B7, Empty, "CreateFolder of an existing folder"

ExpectChecks 34
