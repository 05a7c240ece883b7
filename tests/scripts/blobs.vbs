' ExportToBlob and ImportFromBlob as a page uses them, with the field of examples/blob_field.vbs:
' a file goes into the field and comes back byte for byte, and every failure reaches the page.
Option Explicit
On Error Resume Next

Const kException = &H80020009
Const kFieldBroke = &H80040201   ' vbObjectError + 513, raised by the field
Dim folder, fm, field, broken, block, text, i, ts, source, copy, controls

folder = Host.Arguments(0)
Set fm = Server.CreateObject("Corvane.FileManager")

' A new field. Its script control must outlive it: the controls are kept until the page ends.
Set controls = Server.CreateObject("Docket.Dictionary")
Function NewField()
    Dim control
    Set control = CreateObject("MSScriptControl.ScriptControl")
    controls.Add "c" & controls.Count, control
    control.Language = "VBScript"
    control.AddCode fm.OpenTextFile(Request.ServerVariables("DOCKET_EXAMPLES") & "\blob_field.vbs").ReadAll
    Set NewField = control.CodeObject
End Function

' Every byte value (through code page 1252), 391 times: 100,096 bytes, three chunks.
For i = 0 To 255: block = block & Chr(i): Next
For i = 1 To 391: text = text & block: Next
source = folder & "\source.bin"
copy = folder & "\copy.bin"
Set ts = fm.CreateTextFile(source, True)
ts.Write text
ts.Close

' The field is passed in a variable: it arrives as a reference to the variable.
Set field = NewField()
fm.ExportToBlob source, field
AssertEqual Err.Number & " " & field.ChunkCount(), "0 3", "ExportToBlob appends three chunks"
fm.ImportFromBlob field, copy
AssertEqual Err.Number & " " & fm.GetFile(copy).Size, "0 100096", "ImportFromBlob writes them all"
AssertTrue fm.OpenTextFile(copy).ReadAll = text, "the copy is the file, byte for byte"

fm.ExportToBlob source, 42
AssertError kException, "Incorrect parameter", "ExportToBlob with a number"
fm.ImportFromBlob "field", copy
AssertError kException, "Incorrect parameter", "ImportFromBlob with a string"
fm.ExportToBlob source, fm
AssertError kException, "Parameter does not support the AppendChunk method", "an object without AppendChunk"
fm.ImportFromBlob fm, copy
AssertError kException, "Parameter does not support the GetChunk method", "an object without GetChunk"
AssertEqual fm.GetFile(copy).Size, 100096, "a refused import leaves the target as it was"
fm.ExportToBlob folder & "\missing.bin", field
AssertError kException, "ExportToBlob failed - unable to open file", "a source that cannot be opened"
fm.ImportFromBlob field, folder & "\no such folder\copy.bin"
AssertError &H80070003, Empty, "a target that cannot be created"

' Wine's script control passes the code the field raises, without its description.
Set broken = NewField()
broken.FailAfter 1
fm.ExportToBlob source, broken
AssertError kFieldBroke, Empty, "a field that breaks during ExportToBlob"
AssertEqual broken.ChunkCount(), 1, "the chunk appended before stays"
Set broken = NewField()
fm.ExportToBlob source, broken
broken.FailAfter 4   ' three appends, one chunk given back, then the break
fm.ImportFromBlob broken, copy
AssertError kFieldBroke, Empty, "a field that breaks during ImportFromBlob"
AssertEqual fm.FileExists(copy), False, "no partial copy is left"

ExpectChecks 14
