' A stand-in for a database field, for trying ExportToBlob and ImportFromBlob without a database.
' It is the code of a script control (MSScriptControl.ScriptControl, language VBScript), whose
' CodeObject is the field (the control must be kept while the field is in use):
'     Set control = CreateObject("MSScriptControl.ScriptControl")
'     control.Language = "VBScript"
'     control.AddCode fm.OpenTextFile("blob_field.vbs").ReadAll
'     Set field = control.CodeObject
'     fm.ExportToBlob "photo.jpg", field
'     fm.ImportFromBlob field, "copy.jpg"
' A field keeps the chunks AppendChunk gives it and hands them back, one per GetChunk call, then
' Null. After FailAfter n, every call past the n-th raises an error, as a field whose database
' connection breaks.
Dim chunks, stored, handedOut, calls, failAt
ReDim chunks(15)
stored = 0
handedOut = 0
calls = 0
failAt = -1

Sub FailAfter(n)
    failAt = n
End Sub

Function ChunkCount()
    ChunkCount = stored
End Function

Sub CountCall()
    calls = calls + 1
    If failAt >= 0 And calls > failAt Then
        Err.Raise vbObjectError + 513, "BlobField", "The field's connection broke."
    End If
End Sub

Sub AppendChunk(data)
    CountCall
    If stored > UBound(chunks) Then ReDim Preserve chunks(2 * stored)
    chunks(stored) = data
    stored = stored + 1
End Sub

Function GetChunk(size)
    CountCall
    If handedOut < stored Then
        GetChunk = chunks(handedOut)
        handedOut = handedOut + 1
    Else
        GetChunk = Null
    End If
End Function
