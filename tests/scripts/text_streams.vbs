' Text streams as a page author uses them: lines until the end of the stream, a line end on the
' chunk boundary, Line and Column, writing and appending, and a stream after Close.
Option Explicit
On Error Resume Next

Dim fm, folder, stream, errorSource
Set fm = Server.CreateObject("Corvane.FileManager")
folder = Host.Arguments(0)

' Writes a file of code-page text, then reads its lines until AtEndOfStream: "line|line|...|Line".
Function LinesUntilEnd(content)
    Dim reader, collected
    Set reader = fm.CreateTextFile(folder & "\lines.txt", True)
    reader.Write content
    reader.Close
    Set reader = fm.OpenTextFile(folder & "\lines.txt")
    Do Until reader.AtEndOfStream
        collected = collected & reader.ReadLine & "|"
    Loop
    LinesUntilEnd = collected & reader.Line
    reader.Close
End Function

AssertEqual LinesUntilEnd("abc" & vbCrLf), "abc||3", "a line end that closed the read leaves one empty line"
AssertEqual LinesUntilEnd(String(127, "a") & vbCrLf & String(300, "b")), String(127, "a") & "|" & String(300, "b") & "|3", _
    "line end split by the 128-character chunk, line longer than a chunk"

' Read counts a line end split between two reads once.
Set stream = fm.OpenTextFile(folder & "\lines.txt")
AssertEqual stream.Read(128), String(127, "a") & vbCr, "first half of the line end"
AssertEqual stream.Read(2), vbLf & "b", "second half"
AssertEqual stream.Line & "," & stream.Column, "2,2", "Line and Column after the split line end"
stream.Close

' Writing does not truncate; appending goes after the old text.
Set stream = fm.OpenTextFile(folder & "\lines.txt", 2)
stream.Write "xy"
stream.Close
Set stream = fm.OpenTextFile(folder & "\lines.txt", 8)
stream.WriteLine "!"
stream.Close
AssertEqual fm.OpenTextFile(folder & "\lines.txt").ReadLine, "xy" & String(125, "a"), "ForWriting kept the rest"
AssertEqual Right(fm.OpenTextFile(folder & "\lines.txt").ReadAll, 4), "b!" & vbCrLf, "ForAppending added at the end"

' After Close, file work fails with the system's invalid-handle error from the stream beneath.
stream.ReadLine
errorSource = Err.Source
AssertError &H80070006, Empty, "ReadLine after Close"
AssertEqual errorSource, "Docket.BinaryStream.1", "the error comes from the stream beneath"
stream.Write "x"
AssertError &H80070006, Empty, "Write after Close"
AssertTrue stream.AtEndOfLine, "AtEndOfLine after Close answers without an error"
AssertError 0, Empty, "AtEndOfLine raised nothing"

ExpectChecks 12
