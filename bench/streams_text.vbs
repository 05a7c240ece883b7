' Text streams side by side, run by run-streams.sh: docket-host.exe streams_text.vbs --args <scratch
' folder> <side> <side>, a side being "name;program id;format;sample file" (the samples hold the
' same text). Prints "measure-name seconds count" lines, each the fastest of kRepeats runs, the
' sides in turns. Each loop sits in a small function of its own: folded into one function, the
' empty loop measured 40% slower under Wine.
Option Explicit

Const kRepeats = 5
Const kWrittenLines = 200000

Dim scratchFolder, lineText, linesRead, started
scratchFolder = Host.Arguments(0)

Class Side  ' one field a line: Wine's VBScript takes no list after Public
    Public Name
    Public Manager
    Public Format
    Public Sample
End Class

Function MakeSide(spec)
    Dim parts
    parts = Split(spec, ";")
    Set MakeSide = New Side
    MakeSide.Name = parts(0)
    Set MakeSide.Manager = CreateObject(parts(1))
    MakeSide.Format = CLng(parts(2))
    MakeSide.Sample = parts(3)
End Function

' Seconds since `started`, across midnight too.
Function Elapsed()
    Elapsed = Timer - started
    If Elapsed < 0 Then Elapsed = Elapsed + 86400
End Function

Function Fastest(previous, seconds)
    If previous < 0 Or seconds < previous Then Fastest = seconds Else Fastest = previous
End Function

Function OpenSample(side)
    Set OpenSample = side.Manager.OpenTextFile(side.Sample, 1, False, side.Format)
End Function

Function TimeReadLines(side)
    Dim stream, textLine, n
    Set stream = OpenSample(side)
    n = 0
    started = Timer
    Do Until stream.AtEndOfStream
        textLine = stream.ReadLine
        n = n + 1
    Loop
    TimeReadLines = Elapsed()
    stream.Close
    linesRead = n
End Function

' The same loops without the stream: a test and a count per line, and an assignment that copies
' no string (storing the line a call returns is part of the call's cost).
Function TimeEmptyReadLoop(count)
    Dim textLine, n, total
    n = 0
    total = count
    started = Timer
    Do Until n >= total
        textLine = n
        n = n + 1
    Loop
    TimeEmptyReadLoop = Elapsed()
End Function

Function TimeEmptyWriteLoop()
    Dim textLine, i
    started = Timer
    For i = 1 To kWrittenLines : textLine = i : Next
    TimeEmptyWriteLoop = Elapsed()
End Function

Function TimeWriteLines(side)
    Dim stream, path, i
    ' A new file each time (writing an existing one does not truncate it).
    path = scratchFolder & "\" & side.Name & "-written.txt"
    side.Manager.CreateTextFile(path, True).Close
    Set stream = side.Manager.OpenTextFile(path, 2, False, side.Format)
    started = Timer
    For i = 1 To kWrittenLines : stream.WriteLine lineText : Next
    TimeWriteLines = Elapsed()
    stream.Close
End Function

Function TimeReadAll(side)
    Dim stream, everything
    Set stream = OpenSample(side)
    started = Timer
    everything = stream.ReadAll
    TimeReadAll = Elapsed()
    stream.Close
    If Len(everything) = 0 Then Err.Raise vbObjectError + 1, "bench", "ReadAll returned nothing"
End Function

' The fastest of up to kRepeats ReadAll calls, fewer for a side that takes seconds for one.
Function FastestReadAll(side)
    Dim round, seconds, total
    FastestReadAll = -1
    total = 0
    For round = 1 To kRepeats
        seconds = TimeReadAll(side)
        FastestReadAll = Fastest(FastestReadAll, seconds)
        total = total + seconds
        If total > 5 Then Exit For
    Next
End Function

Sub Report(measureName, seconds, count)
    Response.Write measureName & " " & seconds & " " & count & vbLf
End Sub

Dim a, b, round, readA, readB, emptyRead, writeA, writeB, emptyWrite
Set a = MakeSide(Host.Arguments(1))
Set b = MakeSide(Host.Arguments(2))
lineText = OpenSample(a).ReadLine  ' the text of the samples' lines, written by both sides
readA = -1: readB = -1: emptyRead = -1: writeA = -1: writeB = -1: emptyWrite = -1
TimeReadAll a  ' warms the file cache for everyone
TimeReadAll b
For round = 1 To kRepeats
    readA = Fastest(readA, TimeReadLines(a))
    readB = Fastest(readB, TimeReadLines(b))
    emptyRead = Fastest(emptyRead, TimeEmptyReadLoop(linesRead))
    writeA = Fastest(writeA, TimeWriteLines(a))
    writeB = Fastest(writeB, TimeWriteLines(b))
    emptyWrite = Fastest(emptyWrite, TimeEmptyWriteLoop())
Next
Report "readline-" & a.Name, readA, linesRead
Report "readline-" & b.Name, readB, linesRead
Report "readline-empty", emptyRead, linesRead
Report "writeline-" & a.Name, writeA, kWrittenLines
Report "writeline-" & b.Name, writeB, kWrittenLines
Report "writeline-empty", emptyWrite, kWrittenLines
Report "readall-" & b.Name, FastestReadAll(b), 1
Report "readall-" & a.Name, FastestReadAll(a), 1
