' A file goes into the field of examples/blob_field.vbs and back byte for byte; each failure is told.
Dim fm, folder, fieldCode, control, field, broken, text, i, ts, source, copy
Set fm = CreateObject("Corvane.FileManager")
folder = WScript.Arguments(0)
fieldCode = fm.OpenTextFile(WScript.Arguments(1) & "\blob_field.vbs").ReadAll

Function NewField()  ' a field is used only while its control, the last made, lives
  Set control = CreateObject("MSScriptControl.ScriptControl")
  control.Language = "VBScript"
  control.AddCode fieldCode
  Set NewField = control.CodeObject
End Function

For i = 0 To 60000: text = text & Chr(i Mod 256): Next
source = folder & "\source.bin"
copy = folder & "\copy.bin"
Set ts = fm.CreateTextFile(source, True)
ts.Write text
ts.Close

On Error Resume Next
Set field = NewField()
fm.ExportToBlob source, field
Expect "ExportToBlob", Outcome() & field.ChunkCount(), "none2"
fm.ImportFromBlob field, copy
Expect "ImportFromBlob", Outcome() & fm.GetFile(copy).Size, "none60001"
Expect "the copy, byte for byte", fm.OpenTextFile(copy).ReadAll = text, True

fm.ExportToBlob source, 42
Expect "a number as the field", Outcome(), "80020009 Incorrect parameter"
fm.ExportToBlob source, fm
Expect "an object without AppendChunk", Outcome(), "80020009 Parameter does not support the AppendChunk method"
fm.ImportFromBlob fm, copy
Expect "an object without GetChunk", Outcome(), "80020009 Parameter does not support the GetChunk method"
fm.ExportToBlob folder & "\missing.bin", field
Expect "a missing source", Outcome(), "80020009 ExportToBlob failed - unable to open file"
fm.ImportFromBlob field, folder & "\missing\copy.bin"
Expect "a target that cannot be created", Left(Outcome(), 8), "80070003"
Set broken = NewField()
broken.FailAfter 1
fm.ExportToBlob source, broken
Expect "a field that breaks", Left(Outcome(), 8) & broken.ChunkCount(), "800402011"
Done 9
