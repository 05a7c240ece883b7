' The image header probe against reading the same file whole, in one process. Run by run-image.sh:
'     docket-host.exe image_probe.vbs --args <folder of sample images>
' Prints "name seconds-per-call width" per measurement (width 0 for the whole reads). Each loop is
' timed five times; the fastest run counts.
Option Explicit
Dim manager
Set manager = CreateObject("Corvane.FileManager")

Sub Measure(label, name, calls)
    Dim path, run, i, started, seconds, fastest, width, stream, bytes
    path = Host.Arguments(0) & "\" & name
    fastest = -1
    width = 0
    For run = 1 To 5
        started = Timer
        For i = 1 To calls
            If Left(label, 5) = "probe" Then
                width = manager.GetFile(path).ImageWidth   ' a new File each time: it keeps what it measured
            Else
                Set stream = manager.OpenBinaryFile(path)
                bytes = stream.ReadAll
                stream.Close
                bytes = Empty
            End If
        Next
        seconds = Timer - started
        If seconds < 0 Then seconds = seconds + 86400
        If fastest < 0 Or seconds < fastest Then fastest = seconds
    Next
    Response.Write label & " " & (fastest / calls) & " " & width & vbLf
End Sub

Measure "probe-segments-50mb", "segments-50mb.jpg", 20
Measure "read-segments-50mb", "segments-50mb.jpg", 2
Measure "probe-sparse-2gib", "sparse-2gib.jpg", 200
Measure "probe-small-4kib", "small-4kib.jpg", 200
