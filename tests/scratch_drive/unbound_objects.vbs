' Run by Wine's own cscript with a scratch drive as its argument (the shell test maps one): from the
' root of that drive, every member of a Folder, File, Drive, collection and stream created by name
' that would touch the disk must be refused, and so must deleting the drive's root. Prints only the
' surprises and then "done"; the shell test checks that and that the drive is as it was.
Option Explicit
Const UnboundCode = &H80040007
Const UnboundText = "This object stands for no file or folder: obtain it from a FileManager."
Const NotBuilt = 445  ' a member that is not built yet refuses everything, bare
Const AccessDenied = &H80070005
Dim drive, fm, id, fo, fi, col, ts, bs, x, checks, item, found
drive = WScript.Arguments(0)
CreateObject("WScript.Shell").CurrentDirectory = drive & "\"
Set fm = CreateObject("Corvane.FileManager")
If fm.GetAbsolutePathName(".") <> drive & "\" Then
  WScript.Echo "surprise: the current directory is " & fm.GetAbsolutePathName(".")
  WScript.Quit
End If
checks = 0

' The statement before was refused as standing for nothing (or is not built yet).
Sub Refused(what)
  checks = checks + 1
  If Err.Number <> NotBuilt And Not (Err.Number = UnboundCode And Err.Description = UnboundText) Then
    WScript.Echo "surprise: " & what & " gave " & Hex(Err.Number) & " " & Err.Description
  End If
  Err.Clear
End Sub

' The statement before failed with `code` and a description.
Sub FailedWith(code, what)
  checks = checks + 1
  If Err.Number <> code Or Err.Description = "" Then
    WScript.Echo "surprise: " & what & " gave " & Hex(Err.Number) & " " & Err.Description
  End If
  Err.Clear
End Sub

Sub Expect(actual, expected, what)
  checks = checks + 1
  If actual <> expected Then WScript.Echo "surprise: " & what & " is " & actual
End Sub

On Error Resume Next
For Each id In Array("Docket.Folder", "Docket.Folder.1")
  Set fo = CreateObject(id)
  Set x = fo.Files : Refused id & ".Files"
  Set x = fo.SubFolders : Refused id & ".SubFolders"
  x = fo.ShortPath : Refused id & ".ShortPath"
  x = fo.ShortName : Refused id & ".ShortName"
  fo.Name = "renamed" : Refused id & ".Name ="
  x = fo.DateCreated : Refused id & ".DateCreated"
  x = fo.DateLastModified : Refused id & ".DateLastModified"
  x = fo.DateLastAccessed : Refused id & ".DateLastAccessed"
  x = fo.Attributes : Refused id & ".Attributes"
  fo.Attributes = 1 : Refused id & ".Attributes ="
  x = fo.Size : Refused id & ".Size"
  Set x = fo.ParentFolder : Refused id & ".ParentFolder"
  x = fo.IsRootFolder : Refused id & ".IsRootFolder"
  fo.AllowAccess "Everyone", 1 : Refused id & ".AllowAccess"
  x = fo.FileSystem : Refused id & ".FileSystem"
  fo.OrderPermissions : Refused id & ".OrderPermissions"
  fo.DenyAccess "Everyone", 1 : Refused id & ".DenyAccess"
  fo.RevokeAllowance "Everyone" : Refused id & ".RevokeAllowance"
  fo.RevokeDenial "Everyone" : Refused id & ".RevokeDenial"
  x = fo.Owner : Refused id & ".Owner"
  fo.Owner = "Everyone" : Refused id & ".Owner ="
  Set x = fo.Permissions : Refused id & ".Permissions"
  x = fo.Accessible : Refused id & ".Accessible"
  Set x = fo.Drive : Refused id & ".Drive"
  x = fo.Type : Refused id & ".Type"
  fo.Delete True : Refused id & ".Delete"
  fo.Copy "copy" : Refused id & ".Copy"
  fo.Move "moved" : Refused id & ".Move"
  Set x = fo.CreateTextFile("new.txt") : Refused id & ".CreateTextFile"
  Set x = fo.CreateBinaryFile("new.bin") : Refused id & ".CreateBinaryFile"
  Expect fo.Path, "", id & ".Path"
  Expect fo.Name, "", id & ".Name"
  Expect fo.SearchWildCard, "*", id & ".SearchWildCard"
Next

For Each id In Array("Docket.File", "Corvane.File.1")
  Set fi = CreateObject(id)
  fi.Name = "renamed" : Refused id & ".Name ="
  x = fi.Type : Refused id & ".Type"
  x = fi.DateCreated : Refused id & ".DateCreated"
  x = fi.DateLastModified : Refused id & ".DateLastModified"
  x = fi.DateLastAccessed : Refused id & ".DateLastAccessed"
  x = fi.Attributes : Refused id & ".Attributes"
  fi.Attributes = 1 : Refused id & ".Attributes ="
  fi.Copy "copy.txt" : Refused id & ".Copy"
  fi.Move "moved.txt" : Refused id & ".Move"
  fi.Append "other.txt" : Refused id & ".Append"
  fi.Compare "other.txt" : Refused id & ".Compare"
  x = fi.Size : Refused id & ".Size"
  fi.AllowAccess "Everyone", 1 : Refused id & ".AllowAccess"
  fi.DenyAccess "Everyone", 1 : Refused id & ".DenyAccess"
  fi.RevokeAllowance "Everyone" : Refused id & ".RevokeAllowance"
  fi.RevokeDenial "Everyone" : Refused id & ".RevokeDenial"
  Set x = fi.ParentFolder : Refused id & ".ParentFolder"
  x = fi.MimeType : Refused id & ".MimeType"
  fi.Delete True : Refused id & ".Delete"
  x = fi.Owner : Refused id & ".Owner"
  fi.Owner = "Everyone" : Refused id & ".Owner ="
  x = fi.ShortPath : Refused id & ".ShortPath"
  x = fi.ShortName : Refused id & ".ShortName"
  fi.Encrypt "out.bin", "secret", 1 : Refused id & ".Encrypt"
  fi.Decrypt "out.txt", "secret", 1 : Refused id & ".Decrypt"
  Set x = fi.Permissions : Refused id & ".Permissions"
  x = fi.ImageWidth : Refused id & ".ImageWidth"
  x = fi.ImageHeight : Refused id & ".ImageHeight"
  x = fi.ImageColor : Refused id & ".ImageColor"
  x = fi.FileSystem : Refused id & ".FileSystem"
  fi.OrderPermissions : Refused id & ".OrderPermissions"
  Set x = fi.Drive : Refused id & ".Drive"
  Set x = fi.OpenAsTextStream(2) : Refused id & ".OpenAsTextStream"
  Set x = fi.OpenAsBinaryStream(2) : Refused id & ".OpenAsBinaryStream"
  Expect fi.Path, "", id & ".Path"
  Expect fi.Name, "", id & ".Name"
  Expect fi.Accessible, 0, id & ".Accessible"
Next

' A drive created by name is no drive, not even the current one.
For Each id In Array("Docket.Drive", "Docket.Drive.1")
  Set x = CreateObject(id)
  item = x.ShareName : Refused id & ".ShareName"
  item = x.DriveType : Refused id & ".DriveType"
  Set item = x.RootFolder : Refused id & ".RootFolder"
  item = x.AvailableSpace : Refused id & ".AvailableSpace"
  item = x.FreeSpace : Refused id & ".FreeSpace"
  item = x.TotalSize : Refused id & ".TotalSize"
  item = x.VolumeName : Refused id & ".VolumeName"
  x.VolumeName = "" : Refused id & ".VolumeName ="
  item = x.FileSystem : Refused id & ".FileSystem"
  item = x.SerialNumber : Refused id & ".SerialNumber"
  item = x.IsReady : Refused id & ".IsReady"
  Expect x.Path, "", id & ".Path"
  Expect x.DriveLetter, "", id & ".DriveLetter"
Next

' A collection holds only what it was given: nothing.
For Each id In Array("Docket.FileCollection", "Docket.FolderCollection", "Docket.DriveCollection")
  Set col = CreateObject(id)
  Expect col.Count, 0, id & ".Count"
  Set x = col.Item(1) : FailedWith &H80020009, id & ".Item(1)"
  Set x = col("keep.txt") : FailedWith &H80020009, id & "(name)"
  found = 0
  For Each item In col
    found = found + 1
  Next
  Expect found, 0, id & " enumerated"
Next

Set ts = CreateObject("Docket.TextStream")
x = ts.ReadLine : Refused "TextStream.ReadLine"
x = ts.ReadAll : Refused "TextStream.ReadAll"
x = ts.Read(3) : Refused "TextStream.Read"
ts.Skip 1 : Refused "TextStream.Skip"
ts.SkipLine : Refused "TextStream.SkipLine"
ts.Write "x" : Refused "TextStream.Write"
ts.WriteLine "x" : Refused "TextStream.WriteLine"
ts.WriteBlankLines 1 : Refused "TextStream.WriteBlankLines"
Set bs = CreateObject("Docket.BinaryStream")
x = bs.Read(3) : Refused "BinaryStream.Read"
x = bs.ReadAll : Refused "BinaryStream.ReadAll"
x = bs.ReadVar(3) : Refused "BinaryStream.ReadVar"
x = bs.ReadVarAll : Refused "BinaryStream.ReadVarAll"
bs.Write "ab" : Refused "BinaryStream.Write"
bs.Fill 65, 3 : Refused "BinaryStream.Fill"
bs.Skip 1 : Refused "BinaryStream.Skip"

' A root can't be removed, so a delete of one must not start: the current drive's root, the drive
' by letter (its current directory is its root), with or without its backslash.
fm.DeleteFolder "\", True : FailedWith AccessDenied, "DeleteFolder \"
fm.DeleteFolder drive & "\", True : FailedWith AccessDenied, "DeleteFolder of the drive's root"
fm.DeleteFolder drive, True : FailedWith AccessDenied, "DeleteFolder of the drive letter"
fm.GetFolder("\").Delete True : FailedWith AccessDenied, "Delete of the root folder"
fm.GetFolder(drive & "\").Delete : FailedWith AccessDenied, "Delete of the drive's root folder"

If checks <> 2 * 33 + 2 * 37 + 2 * 13 + 3 * 4 + 15 + 5 Then WScript.Echo "surprise: " & checks & " checks ran"
WScript.Echo "done"
