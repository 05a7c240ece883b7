' A fresh installation: every program identifier creates its object, but the two not registered.
Dim id, obj
On Error Resume Next
For Each id In Array("Corvane.FileManager", "Corvane.FileManager.1", "Corvane.File.1", "Docket.File", _
    "Docket.FileCollection", "Docket.FileCollection.1", "Docket.Folder", "Docket.Folder.1", _
    "Docket.Dictionary", "Docket.Dictionary.1", "Docket.FolderCollection", "Docket.FolderCollection.1", _
    "Docket.Drive", "Docket.Drive.1", "Docket.DriveCollection", "Docket.DriveCollection.1", _
    "Docket.TextStream", "Docket.TextStream.1", "Docket.BinaryStream", "Docket.BinaryStream.1", _
    "Corvane.File", "Docket.PermItem")
  Err.Clear
  Set obj = CreateObject(id)
  If (Err.Number = 0) <> (id <> "Corvane.File" And id <> "Docket.PermItem") Then WScript.Echo "surprise: " & id
  Set obj = Nothing
Next
Done 0
