' Text streams side by side: two sides, each a file-system object and a text file in a format, in
' the same process. Run by run-streams.sh:
'     docket-host.exe streams_text.vbs --args <scratch folder> <side> <side>
' where a side is "name;program id;format;sample file" (the two samples hold the same text).
' Prints one "measure-name seconds count" line per measurement; the runner turns them into
' per-line costs. Each loop is timed five times, the sides in turns; the fastest run counts.
Option Explicit
Const kWrittenLines = 200000
Dim lineText, linesRead, started, sides(1), managers(1), s, i, round, best(5), total, t, name, count

Function Elapsed()   ' seconds since `started`, across midnight too
    Elapsed = Timer - started
    If Elapsed < 0 Then Elapsed = Elapsed + 86400
End Function

Function OpenSample(s)
    Set OpenSample = managers(s).OpenTextFile(sides(s)(3), 1, False, CLng(sides(s)(2)))
End Function

' One run of a measure on side s; the empty loops are the same loops without a stream: a test and
' a count per line, and an assignment that copies no string (storing the line a call returns is
' part of the call's cost).
Function Timed(measure, s)
    Dim stream, textLine, n, i, path
    Select Case measure
        Case "readline"
            Set stream = OpenSample(s)
            n = 0
            started = Timer
            Do Until stream.AtEndOfStream
                textLine = stream.ReadLine
                n = n + 1
            Loop
            linesRead = n
        Case "readline-empty"
            n = 0
            started = Timer
            Do Until n >= linesRead
                textLine = n
                n = n + 1
            Loop
        Case "writeline"   ' a new file each time (writing an existing one does not truncate it)
            path = Host.Arguments(0) & "\" & sides(s)(0) & "-written.txt"
            managers(s).CreateTextFile(path, True).Close
            Set stream = managers(s).OpenTextFile(path, 2, False, CLng(sides(s)(2)))
            started = Timer
            For i = 1 To kWrittenLines : stream.WriteLine lineText : Next
        Case "writeline-empty"
            started = Timer
            For i = 1 To kWrittenLines : textLine = i : Next
        Case "readall"
            Set stream = OpenSample(s)
            started = Timer
            If Len(stream.ReadAll) = 0 Then Err.Raise vbObjectError + 1, "bench", "ReadAll returned nothing"
    End Select
    Timed = Elapsed()
    If IsObject(stream) Then stream.Close
End Function

Function Fastest(previous, seconds)
    If previous < 0 Or seconds < previous Then Fastest = seconds Else Fastest = previous
End Function

For s = 0 To 1
    sides(s) = Split(Host.Arguments(s + 1), ";")
    Set managers(s) = CreateObject(sides(s)(1))
Next
lineText = OpenSample(0).ReadLine  ' the text of the samples' lines, written by both sides
Timed "readall", 0  ' warms the file cache for everyone
Timed "readall", 1
Dim kinds : kinds = Array("readline", "readline", "readline-empty", "writeline", "writeline", "writeline-empty")
Dim sideOf : sideOf = Array(0, 1, 0, 0, 1, 0)
For i = 0 To 5 : best(i) = -1 : Next
For round = 1 To 5
    For i = 0 To 5 : best(i) = Fastest(best(i), Timed(kinds(i), sideOf(i))) : Next
Next
For i = 0 To 5
    name = kinds(i) : If InStr(name, "empty") = 0 Then name = name & "-" & sides(sideOf(i))(0)
    count = linesRead : If i >= 3 Then count = kWrittenLines
    Response.Write name & " " & best(i) & " " & count & vbLf
Next
' ReadAll: the fastest of up to five calls, fewer for a side that takes seconds for one.
For Each s In Array(1, 0)
    best(0) = -1 : total = 0
    For round = 1 To 5
        t = Timed("readall", s) : best(0) = Fastest(best(0), t) : total = total + t
        If total > 5 Then Exit For
    Next
    Response.Write "readall-" & sides(s)(0) & " " & best(0) & " 1" & vbLf
Next
