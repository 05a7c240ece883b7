' The image header probe against reading the same file whole, run by run-image.sh: docket-host.exe
' image_probe.vbs --args <folder of sample images>. Each loop is timed five times; the fastest counts.
Option Explicit
Dim manager
Set manager = CreateObject("Corvane.FileManager")

Function Measure(label, name, calls)   ' milliseconds per call
    Dim path, run, i, started, seconds, fastest, width, stream, bytes
    path = Host.Arguments(0) & "\" & name
    fastest = -1
    width = 0
    For run = 1 To 5
        started = Timer
        For i = 1 To calls
            If label = "probe" Then
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
    If label = "probe" And width <> 4000 Then Response.Write "WRONG: " & name & " measured width " & width & vbLf
    Measure = fastest * 1000 / calls
    Response.Write label & " " & name & ": " & FormatNumber(Measure, 3) & " ms" & vbLf
End Function

Dim probe, read, sparse, small
probe = Measure("probe", "segments-50mb.jpg", 20)
read = Measure("whole read", "segments-50mb.jpg", 2)
sparse = Measure("probe", "sparse-2gib.jpg", 2000)
small = Measure("probe", "small-4kib.jpg", 2000)
Response.Write "probe / whole read: " & FormatNumber(probe / read, 4) & " (target at most 0.1)" & vbLf
Response.Write "2 GiB / 4 KiB probe: " & FormatNumber(sparse / small, 2) & " (target at most 2)" & vbLf
