' Permission entries and accounts through Wine's stock cscript on the system version given as the
' first argument (4, 5 or 6): every member of every entry of a file's and a folder's list, then the
' accounts. Prints the surprises only, then "done". The second argument is a scratch folder.
' Wine makes the lists up from the Unix mode: SYSTEM and the owner with full control (0x1F01FF),
' then Everyone with read and execute (0x1200A9); a folder's entries pass to files and folders.
Option Explicit
On Error Resume Next
Dim fm, version, env, account, site, item, entry, index, names, n
version = CInt(WScript.Arguments(0))
Set fm = CreateObject("Corvane.FileManager")
Set env = CreateObject("WScript.Shell").Environment("PROCESS")
account = env("COMPUTERNAME") & "\" & env("USERNAME")

' A failure of the member read for `actual` shows in Err (each procedure resumes on errors). A
' call whose own arguments fail is skipped whole, so the checks that ran are counted.
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

' What each entry reads, by version: rights on NT 4, rights later, the right groups on Windows
' 2000 (full control, read, write, list contents, modify, read and execute).
Function Pick(nt4, later)
  If version < 5 Then Pick = nt4 Else Pick = later
End Function
Dim fileRights(2), folderRights(2), fileGroups(2), folderGroups(2)
fileRights(0) = Pick(126, 1918): fileGroups(0) = "1 1 1 3 1 1"
fileRights(2) = Pick(10, 770): fileGroups(2) = "3 1 3 3 3 1"
folderRights(0) = Pick(112, 1904): folderGroups(0) = "1 1 1 1 1 1"
folderRights(2) = Pick(0, 768): folderGroups(2) = "3 1 3 1 3 1"
fileRights(1) = fileRights(0): fileGroups(1) = fileGroups(0)
folderRights(1) = folderRights(0): folderGroups(1) = folderGroups(0)

Function Groups(entry)
  Groups = entry.FullControl2 & " " & entry.Read2 & " " & entry.Write2 & " " & _
           entry.ListContents2 & " " & entry.Modify2 & " " & entry.ReadExecute2
End Function

Sub CheckEntry(what, entry, rights, expectedGroups)
  On Error Resume Next
  Expect what & " AccessRights", entry.AccessRights, rights
  Expect what & " NoAccess", entry.NoAccess, False
  Expect what & " Read", entry.Read, (rights And 2) = 2
  Expect what & " Write", entry.Write, (rights And 4) = 4
  Expect what & " Execute", entry.Execute, (rights And 8) = 8
  Expect what & " Delete", entry.Delete, (rights And 16) = 16
  Expect what & " Permissions", entry.Permissions, (rights And 32) = 32
  Expect what & " Ownership", entry.Ownership, (rights And 64) = 64
  Expect what & " RightsType", entry.RightsType, 1
  If version < 5 Then
    Dim state, failure
    state = entry.Read2
    failure = Hex(Err.Number) & " " & Err.Description
    Err.Clear
    Expect what & " groups", failure, "80020009 This property requires Windows 2000"
  ElseIf version = 5 Then
    Expect what & " groups", Groups(entry), expectedGroups
  Else
    Expect what & " groups", Groups(entry), "3 3 3 3 3 3"
  End If
End Sub

Set site = fm.CreateFolder(WScript.Arguments(1) & "\site")
fm.CreateFile site.Path & "\a.txt"
names = Array("NT AUTHORITY\SYSTEM", account, "Everyone")
For Each item In Array(fm.GetFile(site.Path & "\a.txt"), site)
  index = 0
  For Each entry In item
    Expect "trustee " & index, entry.Trustee, names(index)
    If item Is site Then
      CheckEntry "folder entry " & index, entry, folderRights(index), folderGroups(index)
    Else
      CheckEntry "file entry " & index, entry, fileRights(index), fileGroups(index)
    End If
    index = index + 1
  Next
  Expect "entries", index, 3
Next

For Each entry In site
  If entry.Trustee = "Everyone" Then
    entry.RemoveEntry
    n = Err.Number: Err.Clear
    Expect "RemoveEntry", n, 0
    entry.RemoveEntry
    n = Err.Number: Err.Clear
    Expect "RemoveEntry again", Hex(n), "80070539"
  End If
Next

Expect "CurrentUser", fm.CurrentUser, account
Expect "ProcessUser", fm.ProcessUser, account
If checks <> 72 Then WScript.Echo "surprise: " & checks & " checks ran, not 72"
WScript.Echo "done"
