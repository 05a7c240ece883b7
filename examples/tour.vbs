' A first tour of DocketMod: run it with ./scripts/demo (or docket-host.exe examples\tour.vbs).
' The page host creates the component as a web server's script host would.
Option Explicit
Dim fm
Set fm = Server.CreateObject("Corvane.FileManager")

Sub Show(label, value)
  Response.Write label & " = " & value & vbCrLf
End Sub

Response.Write "Path names" & vbCrLf
Show "BuildPath(""C:\reports"", ""2026.txt"")", fm.BuildPath("C:\reports", "2026.txt")
Show "GetDriveName(""C:\reports\2026.txt"")", fm.GetDriveName("C:\reports\2026.txt")
Show "GetParentFolderName(""C:\reports\2026.txt"")", fm.GetParentFolderName("C:\reports\2026.txt")
Show "GetFileName(""C:\reports\2026.tar.gz"")", fm.GetFileName("C:\reports\2026.tar.gz")
Show "GetBaseName(""C:\reports\2026.tar.gz"")", fm.GetBaseName("C:\reports\2026.tar.gz")
Show "GetExtensionName(""C:\reports\2026.tar.gz"")", fm.GetExtensionName("C:\reports\2026.tar.gz")
Show "GetAbsolutePathName(""C:\reports\..\logs\.\today.log"")", _
     fm.GetAbsolutePathName("C:\reports\..\logs\.\today.log")
Show "GetTempName()", fm.GetTempName()
