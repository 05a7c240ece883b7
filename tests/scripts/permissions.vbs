' Permission entries and accounts as a page author reads them: For Each over a file and a folder,
' which account the page and the server run as, and the members that are not provided.
' Wine makes the lists up from the Unix mode: SYSTEM and the owner with full control, then
' Everyone with read and execute; a folder's entries pass to files and folders.
Option Explicit
On Error Resume Next

Dim scratch, fm, file, folder, entry, walked, everyone
scratch = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")
fm.CreateFile scratch & "\a.txt"
Set file = fm.GetFile(scratch & "\a.txt")
Set folder = fm.CreateFolder(scratch & "\site")

For Each entry In file
    walked = walked & entry.Trustee & "|"
    If entry.Trustee = "Everyone" Then Set everyone = entry
Next
AssertEqual walked, "NT AUTHORITY\SYSTEM|" & fm.ProcessUser & "|Everyone|", "For Each over a file"
AssertEqual everyone.AccessRights, 770, "Everyone reads and executes"
AssertEqual CStr(everyone.Read) & everyone.Write & everyone.NoAccess, "TrueFalseFalse", "the booleans"
AssertEqual everyone.RightsType, 1, "an entry of a file applies to files"
AssertEqual everyone.FullControl2 + everyone.ReadExecute2, 6, "no right groups after Windows 2000"

walked = ""
For Each entry In folder
    walked = walked & entry.AccessRights & "/" & entry.RightsType & " "
Next
AssertEqual walked, "1904/1 1904/1 768/1 ", "For Each over a folder: generic reading, to files"

everyone.RemoveEntry
AssertError 0, Empty, "RemoveEntry of the one matching entry"
everyone.RemoveEntry
AssertError &H80070539, Empty, "RemoveEntry with nothing left to remove"

AssertEqual fm.CurrentUser, fm.ProcessUser, "a page that does not impersonate runs as the server"
fm.LogonUser "HOST", "user", "secret"
AssertError 445, Empty, "LogonUser is not provided"
file.AllowAccess "Everyone", 126
AssertError 445, Empty, "AllowAccess is not provided"
ExpectChecks 11
