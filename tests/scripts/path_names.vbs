' The path-name functions as a page author calls them, on an object the page host created (so
' OnStartPage and OnEndPage run around the page). The string rules are tested natively.
Option Explicit
Dim fm
Set fm = Server.CreateObject("Corvane.FileManager")

AssertEqual fm.BuildPath("C:\a\", "\b"), "C:\a\b", "BuildPath drops one of two separators"
AssertEqual fm.GetParentFolderName("C:\Windows\System"), "C:\Windows", "GetParentFolderName"
AssertEqual fm.GetBaseName("C:\dir\archive.tar.gz"), "archive.tar", "GetBaseName"
AssertEqual fm.GetAbsolutePathName("C:\a\..\..\b"), "C:\b", "never above the root"
AssertEqual LCase(Right(fm.GetTempName(), 4)), ".tmp", "GetTempName names a .tmp file"
AssertEqual fm.BuildPath(12, 3), "12\3", "numbers are taken as text"

' A member whose work is not built answers E_NOTIMPL, which VBScript reports as 445.
On Error Resume Next
fm.RevertToSelf
AssertError 445, Empty, "a member that is not implemented"
ExpectChecks 7
