' The path-name functions as a page author calls them, on an object the page host created (so
' OnStartPage and OnEndPage run around the page).
Option Explicit
Dim fm
Set fm = Server.CreateObject("Corvane.FileManager")

AssertEqual fm.BuildPath("C:\a", "b"), "C:\a\b", "BuildPath adds one separator"
AssertEqual fm.BuildPath("C:\a\", "\b"), "C:\a\b", "BuildPath drops one of two separators"
AssertEqual fm.BuildPath("", "b"), "b", "BuildPath with an empty folder"
AssertEqual fm.BuildPath("C:\a\", ""), "C:\a\", "BuildPath with an empty name"
AssertEqual fm.BuildPath("a/", "b"), "a/\b", "BuildPath does not treat / as a separator"
AssertEqual fm.GetDriveName("x:"), "x:", "GetDriveName of a bare drive"
AssertEqual fm.GetDriveName("1:\a"), "", "GetDriveName needs a letter"
AssertEqual fm.GetDriveName("\\srv"), "", "GetDriveName of a server alone"
AssertEqual fm.GetParentFolderName("C:\"), "", "a root has no parent"
AssertEqual fm.GetParentFolderName("C:\Windows\System"), "C:\Windows", "GetParentFolderName"
AssertEqual fm.GetFileName("C:\dir\"), "", "GetFileName of a folder path with a separator"
AssertEqual fm.GetExtensionName("C:\dir\archive.tar.gz"), "gz", "GetExtensionName"
AssertEqual fm.GetBaseName("C:\dir\archive.tar.gz"), "archive.tar", "GetBaseName"
AssertEqual fm.GetAbsolutePathName("C:\a\..\..\b"), "C:\b", "never above the root"
AssertEqual LCase(Right(fm.GetTempName(), 4)), ".tmp", "GetTempName names a .tmp file"
AssertEqual fm.BuildPath(12, 3), "12\3", "numbers are taken as text"

' A member whose work is not built answers E_NOTIMPL, which VBScript reports as 445.
On Error Resume Next
fm.RevertToSelf
AssertError 445, Empty, "a member that is not implemented"
On Error GoTo 0
ExpectChecks 17
