' Permission entries and accounts through Wine's stock cscript: every member of every entry of a
' file's and a folder's list, the accounts, and two members that are not provided. The system
' version the answers are for comes from DOCKET_SYSTEM_VERSION (4, 5; 6 when not set, Wine's
' default); the first argument is a scratch folder. Prints the surprises only, then "done".
' Wine makes the lists up from the Unix mode: SYSTEM and the owner with full control (0x1F01FF),
' then Everyone with read and execute (0x1200A9); a folder's entries pass to files and folders.
Option Explicit
On Error Resume Next
Dim fm, version, env, account, names, site, item, entry, everyone, index, kind, rights, groups, n
Set fm = CreateObject("Corvane.FileManager")
Set env = CreateObject("WScript.Shell").Environment("PROCESS")
version = 6
If env("DOCKET_SYSTEM_VERSION") <> "" Then version = CInt(env("DOCKET_SYSTEM_VERSION"))
account = env("COMPUTERNAME") & "\" & env("USERNAME")
names = Array("NT AUTHORITY\SYSTEM", account, "Everyone")

' A failed read shows in Err. A call whose own arguments fail is skipped whole, so the checks
' that ran are counted.
Dim checks
Sub Expect(name, actual, expected)
  checks = checks + 1
  If Err.Number <> 0 Then
    WScript.Echo "surprise: " & name & " raised " & Hex(Err.Number) & " " & Err.Description
    Err.Clear
  ElseIf actual <> expected Then
    WScript.Echo "surprise: " & name & " gave " & actual & ", not " & expected
  End If
End Sub

' By kind (file full control, file Everyone, folder full control, folder Everyone): the rights,
' and the right groups on Windows 2000 (full control, read, write, list contents, modify,
' read and execute).
If version < 5 Then rights = Array(126, 10, 112, 0) Else rights = Array(1918, 770, 1904, 768)
groups = Array("111311", "313331", "111111", "313131")

Function Booleans(e)
  Booleans = e.NoAccess & e.Read & e.Write & e.Execute & e.Delete & e.Permissions & e.Ownership
End Function
Function BooleansOf(r)
  Dim bit
  For Each bit In Array(1, 2, 4, 8, 16, 32, 64): BooleansOf = BooleansOf & ((r And bit) = bit): Next
End Function
Function GroupStates(e)
  GroupStates = e.FullControl2 & e.Read2 & e.Write2 & e.ListContents2 & e.Modify2 & e.ReadExecute2
End Function

Sub CheckEntry(what, entry, kind)
  On Error Resume Next
  Expect what & " AccessRights", entry.AccessRights, rights(kind)
  Expect what & " booleans", Booleans(entry), BooleansOf(rights(kind))
  Expect what & " RightsType", entry.RightsType, 1
  If version < 5 Then
    Dim state, failure
    state = entry.Read2
    failure = Hex(Err.Number) & " " & Err.Description
    Err.Clear
    Expect what & " groups", failure, "80020009 This property requires Windows 2000"
  ElseIf version = 5 Then
    Expect what & " groups", GroupStates(entry), groups(kind)
  Else
    Expect what & " groups", GroupStates(entry), "333333"
  End If
End Sub

Set site = fm.CreateFolder(WScript.Arguments(0) & "\site")
fm.CreateFile site.Path & "\a.txt"
For Each item In Array(fm.GetFile(site.Path & "\a.txt"), site)
  index = 0
  For Each entry In item
    Expect "trustee " & index, entry.Trustee, names(index)
    If index = 2 Then Set everyone = entry
    kind = Abs(item Is site) * 2 + Abs(index = 2)
    CheckEntry "kind " & kind & " entry " & index, entry, kind
    index = index + 1
  Next
  Expect "entries", index, 3
  If index = 3 Then
    everyone.RemoveEntry
    n = Err.Number: Err.Clear
    Expect "RemoveEntry", n, 0
    everyone.RemoveEntry
    n = Err.Number: Err.Clear
    Expect "RemoveEntry again", Hex(n), "80070539"
  End If
Next

Expect "CurrentUser", fm.CurrentUser, account
Expect "ProcessUser", fm.ProcessUser, account
' Not provided: E_NOTIMPL, which VBScript numbers 445.
fm.LogonUser "HOST", "user", "secret"
n = Err.Number: Err.Clear
Expect "LogonUser", n, 445
site.AllowAccess "Everyone", 126
n = Err.Number: Err.Clear
Expect "AllowAccess", n, 445
If checks <> 40 Then WScript.Echo "surprise: " & checks & " checks ran, not 40"
WScript.Echo "done"
