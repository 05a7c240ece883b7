' The image header probe against reading the same file whole, in one process. Run by
' run-image.sh:
'     docket-host.exe image_probe.vbs --args <folder of sample images>
' Prints one "name seconds-per-call width" line per measurement (width 0 for the whole reads).
Option Explicit

Const kRepeats = 5  ' each loop is timed this often, in turns; the fastest run counts

Dim folder, manager
folder = Host.Arguments(0)
Set manager = CreateObject("Corvane.FileManager")

Function SecondsSince(start)
    SecondsSince = Timer - start
    If SecondsSince < 0 Then SecondsSince = SecondsSince + 86400
End Function

Dim measuredWidth

' A new File for every call: an object keeps what it has measured once.
Function TimeProbes(name, calls)
    Dim path, i, image, start
    path = folder & "\" & name
    start = Timer
    For i = 1 To calls
        Set image = manager.GetFile(path)
        measuredWidth = image.ImageWidth
    Next
    TimeProbes = SecondsSince(start)
End Function

Function TimeWholeReads(name, calls)
    Dim path, i, stream, bytes, start
    path = folder & "\" & name
    start = Timer
    For i = 1 To calls
        Set stream = manager.OpenBinaryFile(path)
        bytes = stream.ReadAll
        stream.Close
        bytes = Empty
    Next
    TimeWholeReads = SecondsSince(start)
End Function

Sub Measure(label, kind, name, calls)
    Dim run, seconds, fastest
    fastest = -1
    measuredWidth = 0
    For run = 1 To kRepeats
        If kind = "probe" Then seconds = TimeProbes(name, calls) Else seconds = TimeWholeReads(name, calls)
        If fastest < 0 Or seconds < fastest Then fastest = seconds
    Next
    Response.Write label & " " & (fastest / calls) & " " & measuredWidth & vbLf
End Sub

Measure "probe-segments-50mb", "probe", "segments-50mb.jpg", 20
Measure "read-segments-50mb", "read", "segments-50mb.jpg", 2
Measure "probe-sparse-2gib", "probe", "sparse-2gib.jpg", 200
Measure "probe-small-4kib", "probe", "small-4kib.jpg", 200
