' Every member of every entry, as system version DOCKET_SYSTEM_VERSION (4, 5; Wine's 6) answers. Wine
' makes the lists from the Unix mode: SYSTEM and the owner with full control (0x1F01FF), then
' Everyone with read and execute (0x1200A9); a folder's entries pass to files and folders.
On Error Resume Next
Dim fm, version, env, account, names, site, item, e, everyone, index, kind, rights, groups, n
Set fm = CreateObject("Corvane.FileManager")
Set env = CreateObject("WScript.Shell").Environment("PROCESS")
version = 6
If env("DOCKET_SYSTEM_VERSION") <> "" Then version = CInt(env("DOCKET_SYSTEM_VERSION"))
account = env("COMPUTERNAME") & "\" & env("USERNAME")
names = Array("NT AUTHORITY\SYSTEM", account, "Everyone")

' By kind (file full control, file Everyone, folder full control, folder Everyone): the rights, and
' the right groups (full control, read, write, list contents, modify, read and execute).
If version < 5 Then rights = Array(126, 10, 112, 0) Else rights = Array(1918, 770, 1904, 768)
groups = Array("111311", "313331", "111111", "313131")
If version > 5 Then groups = Array("333333", "333333", "333333", "333333")
If version < 5 Then n = "80020009 This property requires Windows 2000" : groups = Array(n, n, n, n)

Function Booleans(e)
  Booleans = e.NoAccess & e.Read & e.Write & e.Execute & e.Delete & e.Permissions & e.Ownership
End Function
Function BooleansOf(r)
  Dim bit
  For Each bit In Array(1, 2, 4, 8, 16, 32, 64): BooleansOf = BooleansOf & ((r And bit) = bit): Next
End Function
Function GroupStates(e)
  On Error Resume Next
  GroupStates = e.FullControl2 & e.Read2 & e.Write2 & e.ListContents2 & e.Modify2 & e.ReadExecute2
  If Err.Number <> 0 Then GroupStates = Hex(Err.Number) & " " & Err.Description
  Err.Clear
End Function

Set site = fm.CreateFolder(WScript.Arguments(0) & "\site")
fm.CreateFile site.Path & "\a.txt"
For Each item In Array(fm.GetFile(site.Path & "\a.txt"), site)
  index = 0
  For Each e In item
    kind = Abs(item Is site) * 2 + Abs(index = 2)
    Expect "entry " & index & " of kind " & kind, _
           e.Trustee & "|" & e.AccessRights & "|" & Booleans(e) & "|" & e.RightsType & "|" & GroupStates(e), _
           names(index) & "|" & rights(kind) & "|" & BooleansOf(rights(kind)) & "|1|" & groups(kind)
    If index = 2 Then Set everyone = e
    index = index + 1
  Next
  Expect "entries", index, 3
  everyone.RemoveEntry : Expect "RemoveEntry", "", ""
  everyone.RemoveEntry : ExpectError "RemoveEntry again", &H80070539, Empty
Next

Expect "CurrentUser", fm.CurrentUser, account
Expect "ProcessUser", fm.ProcessUser, account
' Not provided: E_NOTIMPL, which VBScript numbers 445.
fm.LogonUser "HOST", "user", "secret" : ExpectError "LogonUser", 445, Empty
site.AllowAccess "Everyone", 126 : ExpectError "AllowAccess", 445, Empty
Done 16
