' From the root of a scratch drive (the argument): every member of an object created by name that
' would touch the disk is refused, and so is deleting the drive's root.
Const UnboundCode = &H80040007
Const UnboundText = "This object stands for no file or folder: obtain it from a FileManager."
Const NotBuilt = 445  ' a member that is not built yet refuses everything, bare
Dim drive, fm, id, o, x, item, found, memberChecks
drive = WScript.Arguments(0)
CreateObject("WScript.Shell").CurrentDirectory = drive & "\"
Set fm = CreateObject("Corvane.FileManager")
If fm.GetAbsolutePathName(".") <> drive & "\" Then WScript.Echo "surprise: not at the root": WScript.Quit

' The statement before was refused as standing for nothing (or is not built yet).
Sub Refused(what)
  checks = checks + 1
  If Err.Number <> NotBuilt And Not (Err.Number = UnboundCode And Err.Description = UnboundText) Then
    WScript.Echo "surprise: " & what & " gave " & Hex(Err.Number) & " " & Err.Description
  End If
  Err.Clear
End Sub

On Error Resume Next
memberChecks = RefuseEveryMember()  ' written by the shell test from its table of members
For Each id In Array("Docket.Folder", "Docket.Folder.1", "Docket.File", "Corvane.File.1")
  Set o = CreateObject(id)
  Expect id & ".Path and .Name", o.Path & o.Name, ""
  If InStr(id, "Folder") Then Expect id & ".SearchWildCard", o.SearchWildCard, "*" Else Expect id & ".Accessible", o.Accessible, 0
Next
For Each id In Array("Docket.Drive", "Docket.Drive.1"): Expect id & ".Path", CreateObject(id).Path & CreateObject(id).DriveLetter, "": Next

' A collection holds only what it was given: nothing.
For Each id In Array("Docket.FileCollection", "Docket.FolderCollection", "Docket.DriveCollection")
  Set o = CreateObject(id)
  Set x = o.Item(1) : ExpectError id & ".Item(1)", &H80020009, Empty
  Set x = o("keep.txt") : ExpectError id & "(name)", &H80020009, Empty
  found = o.Count
  For Each item In o: found = found + 1: Next
  Expect id & " Count and enumerated", found, 0
Next

' A root can't be removed, so a delete of one must not start: the current drive's root, the drive
' by letter (its current directory is its root), with or without its backslash.
For Each x In Array("\", drive & "\", drive)
  fm.DeleteFolder x, True : ExpectError "DeleteFolder " & x, &H80070005, Empty
  fm.GetFolder(x).Delete True : ExpectError "Folder.Delete of " & x, &H80070005, Empty
Next

Done memberChecks + 4 * 2 + 2 + 3 * 3 + 6
