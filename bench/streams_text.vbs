' Text streams side by side: this component's TextStream against the scripting runtime's own
' Scripting.FileSystemObject, on the same file, in the same process. Run by run-streams.sh:
'     docket-host.exe streams_text.vbs --args <sample file> <scratch folder>
' Prints one "name seconds count" line per measurement; the runner turns them into per-line costs.
Option Explicit

Const kRepeats = 5          ' the loops are timed this often, in turns; the fastest run of each counts
Const kWrittenLines = 200000

Dim sampleFile, scratchFolder, peerManager, ourManager, lineText
sampleFile = Host.Arguments(0)
scratchFolder = Host.Arguments(1)
Set peerManager = CreateObject("Scripting.FileSystemObject")
Set ourManager = CreateObject("Corvane.FileManager")
lineText = String(80, "x")

Sub Report(measureName, seconds, count)
    Response.Write measureName & " " & seconds & " " & count & vbLf
End Sub

' Seconds since `start`, across midnight too.
Function SecondsSince(start)
    SecondsSince = Timer - start
    If SecondsSince < 0 Then SecondsSince = SecondsSince + 86400
End Function

Dim linesRead

Function TimeReadLines(manager)
    Dim stream, textLine, n, start
    Set stream = manager.OpenTextFile(sampleFile)
    n = 0
    start = Timer
    Do Until stream.AtEndOfStream
        textLine = stream.ReadLine
        n = n + 1
    Loop
    TimeReadLines = SecondsSince(start)
    stream.Close
    linesRead = n
End Function

' The same loop without the stream: a test and a count per line, and an assignment that copies
' no string (storing the line a call returns is part of the call's cost).
Function TimeEmptyReadLoop(count)
    Dim textLine, n, total, start
    n = 0
    total = count
    start = Timer
    Do Until n >= total
        textLine = n
        n = n + 1
    Loop
    TimeEmptyReadLoop = SecondsSince(start)
End Function

Function TimeWriteLines(manager, fileName)
    Dim stream, i, start
    Set stream = manager.CreateTextFile(scratchFolder & "\" & fileName, True)
    start = Timer
    For i = 1 To kWrittenLines
        stream.WriteLine lineText
    Next
    TimeWriteLines = SecondsSince(start)
    stream.Close
End Function

Function TimeEmptyWriteLoop()
    Dim textLine, i, start
    start = Timer
    For i = 1 To kWrittenLines
        textLine = i
    Next
    TimeEmptyWriteLoop = SecondsSince(start)
End Function

Function TimeReadAll(manager)
    Dim stream, everything, start
    Set stream = manager.OpenTextFile(sampleFile)
    start = Timer
    everything = stream.ReadAll
    TimeReadAll = SecondsSince(start)
    stream.Close
    If Len(everything) = 0 Then Err.Raise vbObjectError + 1, "bench", "ReadAll returned nothing"
End Function

Function Fastest(previous, seconds)
    If previous < 0 Or seconds < previous Then Fastest = seconds Else Fastest = previous
End Function

Dim round, peerRead, ourRead, emptyRead, peerWrite, ourWrite, emptyWrite
peerRead = -1: ourRead = -1: emptyRead = -1: peerWrite = -1: ourWrite = -1: emptyWrite = -1
TimeReadAll ourManager  ' warms the file cache for everyone
For round = 1 To kRepeats
    peerRead = Fastest(peerRead, TimeReadLines(peerManager))
    ourRead = Fastest(ourRead, TimeReadLines(ourManager))
    emptyRead = Fastest(emptyRead, TimeEmptyReadLoop(linesRead))
    peerWrite = Fastest(peerWrite, TimeWriteLines(peerManager, "peer-written.txt"))
    ourWrite = Fastest(ourWrite, TimeWriteLines(ourManager, "our-written.txt"))
    emptyWrite = Fastest(emptyWrite, TimeEmptyWriteLoop())
Next
Report "readline-peer", peerRead, linesRead
Report "readline-ours", ourRead, linesRead
Report "readline-empty", emptyRead, linesRead
Report "writeline-peer", peerWrite, kWrittenLines
Report "writeline-ours", ourWrite, kWrittenLines
Report "writeline-empty", emptyWrite, kWrittenLines
Report "readall-ours", TimeReadAll(ourManager), 1
Report "readall-peer", TimeReadAll(peerManager), 1
