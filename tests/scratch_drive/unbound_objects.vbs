' From the root of a scratch drive (the argument): every member of an object created by name that
' would touch the disk is refused, and so is deleting the drive's root.
Const UnboundCode = &H80040007
Const UnboundText = "This object stands for no file or folder: obtain it from a FileManager."
Const NotBuilt = 445  ' a member that is not built yet refuses everything, bare
Dim drive, fm, id, o, x, item, found
drive = WScript.Arguments(0)
CreateObject("WScript.Shell").CurrentDirectory = drive & "\"
Set fm = CreateObject("Corvane.FileManager")
If fm.GetAbsolutePathName(".") <> drive & "\" Then WScript.Echo "surprise: not at the root": WScript.Quit

' The statement before was refused as standing for nothing (or is not built yet).
Sub Refused(what)
  checks = checks + 1
  If Err.Number <> NotBuilt And Not (Err.Number = UnboundCode And Err.Description = UnboundText) Then
    WScript.Echo "surprise: " & id & what & " gave " & Hex(Err.Number) & " " & Err.Description
  End If
  Err.Clear
End Sub

On Error Resume Next
' What files and folders share.
For Each id In Array("Docket.Folder", "Docket.Folder.1", "Docket.File", "Corvane.File.1")
  Set o = CreateObject(id)
  o.Name = "renamed" : Refused ".Name ="
  x = o.Type : Refused ".Type"
  x = o.DateCreated : Refused ".DateCreated"
  x = o.DateLastModified : Refused ".DateLastModified"
  x = o.DateLastAccessed : Refused ".DateLastAccessed"
  x = o.Attributes : Refused ".Attributes"
  o.Attributes = 1 : Refused ".Attributes ="
  x = o.Size : Refused ".Size"
  Set x = o.ParentFolder : Refused ".ParentFolder"
  Set x = o.Drive : Refused ".Drive"
  x = o.ShortPath : Refused ".ShortPath"
  x = o.ShortName : Refused ".ShortName"
  x = o.FileSystem : Refused ".FileSystem"
  o.AllowAccess "Everyone", 1 : Refused ".AllowAccess"
  o.DenyAccess "Everyone", 1 : Refused ".DenyAccess"
  o.RevokeAllowance "Everyone" : Refused ".RevokeAllowance"
  o.RevokeDenial "Everyone" : Refused ".RevokeDenial"
  o.OrderPermissions : Refused ".OrderPermissions"
  x = o.Owner : Refused ".Owner"
  o.Owner = "Everyone" : Refused ".Owner ="
  Set x = o.Permissions : Refused ".Permissions"
  o.Delete True : Refused ".Delete"
  o.Copy "copy.txt" : Refused ".Copy"
  o.Move "moved.txt" : Refused ".Move"
  Expect id & ".Path and .Name", o.Path & o.Name, ""
  If InStr(id, "Folder") Then
    Set x = o.Files : Refused ".Files"
    Set x = o.SubFolders : Refused ".SubFolders"
    x = o.IsRootFolder : Refused ".IsRootFolder"
    x = o.Accessible : Refused ".Accessible"
    Set x = o.CreateTextFile("new.txt") : Refused ".CreateTextFile"
    Set x = o.CreateBinaryFile("new.bin") : Refused ".CreateBinaryFile"
    Expect id & ".SearchWildCard", o.SearchWildCard, "*"
  End If
Next
For Each id In Array("Docket.File", "Corvane.File.1")
  Set o = CreateObject(id)
  o.Append "other.txt" : Refused ".Append"
  o.Compare "other.txt" : Refused ".Compare"
  x = o.MimeType : Refused ".MimeType"
  o.Encrypt "out.bin", "secret", 1 : Refused ".Encrypt"
  o.Decrypt "out.txt", "secret", 1 : Refused ".Decrypt"
  x = o.ImageWidth : Refused ".ImageWidth"
  x = o.ImageHeight : Refused ".ImageHeight"
  x = o.ImageColor : Refused ".ImageColor"
  Set x = o.OpenAsTextStream(2) : Refused ".OpenAsTextStream"
  Set x = o.OpenAsBinaryStream(2) : Refused ".OpenAsBinaryStream"
  Expect id & ".Accessible", o.Accessible, 0
Next

' A drive created by name is no drive, not even the current one.
For Each id In Array("Docket.Drive", "Docket.Drive.1")
  Set o = CreateObject(id)
  x = o.ShareName : Refused ".ShareName"
  x = o.DriveType : Refused ".DriveType"
  Set x = o.RootFolder : Refused ".RootFolder"
  x = o.AvailableSpace : Refused ".AvailableSpace"
  x = o.FreeSpace : Refused ".FreeSpace"
  x = o.TotalSize : Refused ".TotalSize"
  x = o.VolumeName : Refused ".VolumeName"
  o.VolumeName = "" : Refused ".VolumeName ="
  x = o.FileSystem : Refused ".FileSystem"
  x = o.SerialNumber : Refused ".SerialNumber"
  x = o.IsReady : Refused ".IsReady"
  Expect id & ".Path and .DriveLetter", o.Path & o.DriveLetter, ""
Next

' A collection holds only what it was given: nothing.
For Each id In Array("Docket.FileCollection", "Docket.FolderCollection", "Docket.DriveCollection")
  Set o = CreateObject(id)
  Set x = o.Item(1) : ExpectError id & ".Item(1)", &H80020009, Empty
  Set x = o("keep.txt") : ExpectError id & "(name)", &H80020009, Empty
  found = o.Count
  For Each item In o
    found = found + 1
  Next
  Expect id & " Count and enumerated", found, 0
Next

For Each id In Array("Docket.TextStream", "Docket.BinaryStream")
  Set o = CreateObject(id)
  x = o.Read(3) : Refused ".Read"
  x = o.ReadAll : Refused ".ReadAll"
  o.Skip 1 : Refused ".Skip"
  o.Write "x" : Refused ".Write"
Next
Set o = CreateObject("Docket.TextStream")
x = o.ReadLine : Refused ".ReadLine"
o.SkipLine : Refused ".SkipLine"
o.WriteLine "x" : Refused ".WriteLine"
o.WriteBlankLines 1 : Refused ".WriteBlankLines"
Set o = CreateObject("Docket.BinaryStream")
x = o.ReadVar(3) : Refused ".ReadVar"
x = o.ReadVarAll : Refused ".ReadVarAll"
o.Fill 65, 3 : Refused ".Fill"

' A root can't be removed, so a delete of one must not start: the current drive's root, the drive
' by letter (its current directory is its root), with or without its backslash.
For Each x In Array("\", drive & "\", drive)
  fm.DeleteFolder x, True : ExpectError "DeleteFolder " & x, &H80070005, Empty
  fm.GetFolder(x).Delete True : ExpectError "Folder.Delete of " & x, &H80070005, Empty
Next

Done 4 * 25 + 2 * 7 + 2 * 11 + 2 * 12 + 3 * 3 + 15 + 6
