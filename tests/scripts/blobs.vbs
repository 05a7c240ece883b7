' ExportToBlob and ImportFromBlob as a page uses them, with the field of examples/blob_field.vbs held
' in a variable (it arrives as a reference to the variable): a file of every byte value goes into
' three chunks and comes back byte for byte. (The failures: tests/smoke/blobs.vbs and unit tests.)
Option Explicit
Dim fm, control, field, block, text, i, ts, source, copy
Set fm = Server.CreateObject("Corvane.FileManager")
Set control = CreateObject("MSScriptControl.ScriptControl")
control.Language = "VBScript"
control.AddCode fm.OpenTextFile(Request.ServerVariables("DOCKET_EXAMPLES") & "\blob_field.vbs").ReadAll
Set field = control.CodeObject

' Every byte value (through code page 1252), 391 times: 100,096 bytes.
For i = 0 To 255: block = block & Chr(i): Next
For i = 1 To 391: text = text & block: Next
source = Host.Arguments(0) & "\source.bin"
copy = Host.Arguments(0) & "\copy.bin"
Set ts = fm.CreateTextFile(source, True)
ts.Write text
ts.Close

fm.ExportToBlob source, field
AssertEqual field.ChunkCount(), 3, "ExportToBlob appends three chunks"
fm.ImportFromBlob field, copy
AssertEqual fm.GetFile(copy).Size, 100096, "ImportFromBlob writes them all"
AssertEqual fm.OpenTextFile(copy).ReadAll = text, True, "the copy is the file, byte for byte"
ExpectChecks 3
