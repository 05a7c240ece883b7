' Text streams as a page author uses them: reading lines until the end, line ends on the chunk
' boundary, Line and Column, looking ahead, the modes, Unicode files, and a stream after Close.
Option Explicit
On Error Resume Next

Dim fm, folder, stream, lines, textLine
Set fm = CreateObject("Corvane.FileManager")
folder = Host.Arguments(0)

' Writes a file through a new text stream (plain code-page text).
Sub WriteText(fileName, content)
    Dim writer
    Set writer = fm.CreateTextFile(folder & "\" & fileName, True)
    writer.Write content
    writer.Close
End Sub

' The lines of a file read until AtEndOfStream, joined with "|".
Function LinesUntilEnd(fileName)
    Dim reader, collected
    Set reader = fm.OpenTextFile(folder & "\" & fileName)
    collected = ""
    Do Until reader.AtEndOfStream
        collected = collected & reader.ReadLine & "|"
    Loop
    LinesUntilEnd = collected & reader.Line
    reader.Close
End Function

' The end is known after the last line only when that line was still pending.
WriteText "two.txt", "abc" & vbCrLf & "def" & vbCrLf
AssertEqual LinesUntilEnd("two.txt"), "abc|def|3", "two lines with a final line end"
WriteText "one.txt", "abc" & vbCrLf
AssertEqual LinesUntilEnd("one.txt"), "abc||3", "a line end that closed the read gives one empty line"
WriteText "open.txt", "abc" & vbCrLf & "xyz"
AssertEqual LinesUntilEnd("open.txt"), "abc|xyz|3", "last line without a line end"
WriteText "lone.txt", "a" & vbLf & "b" & vbCr & "c"
AssertEqual LinesUntilEnd("lone.txt"), "a" & vbLf & "b" & vbCr & "c|2", "lone LF and CR are text"

' A line end split by the 128-character chunk, and a line longer than a chunk.
WriteText "chunk.txt", String(127, "a") & vbCrLf & String(300, "b") & vbCrLf & "c"
AssertEqual LinesUntilEnd("chunk.txt"), String(127, "a") & "|" & String(300, "b") & "|c|4", "chunk boundary"

' Read counts a line end split between two reads once; AtEndOfLine looks without moving.
WriteText "count.txt", "x" & vbCrLf & "yz"
Set stream = fm.OpenTextFile(folder & "\count.txt")
AssertEqual stream.Read(2), "x" & vbCr, "first half of the line end"
AssertEqual stream.Column, 3, "Column after x CR"
AssertTrue Not stream.AtEndOfLine, "LF y is no line end"
AssertEqual stream.Read(2), vbLf & "y", "AtEndOfLine put its characters back"
AssertEqual stream.Line & "," & stream.Column, "2,2", "Line and Column after the split line end"
stream.Skip -3
AssertEqual stream.Read(3), vbCr & vbLf & "y", "Skip backwards from the position reached"
stream.Close

' Writing does not truncate; appending goes after the old text.
WriteText "modes.txt", "0123456789"
Set stream = fm.OpenTextFile(folder & "\modes.txt", 2)
stream.Write "ab"
stream.Close
Set stream = fm.OpenTextFile(folder & "\modes.txt", 8)
stream.WriteLine "!"
stream.Close
AssertEqual fm.OpenTextFile(folder & "\modes.txt").ReadAll, "ab23456789!" & vbCrLf, "ForWriting keeps the rest, ForAppending adds"

' A Unicode file is read back by its mark, and without a mark when asked for Unicode.
Set stream = fm.CreateTextFile(folder & "\wide.txt", True, True)
stream.WriteLine "first"
stream.Close
AssertEqual fm.OpenTextFile(folder & "\wide.txt", 1, False, -2).ReadLine, "first", "the mark says Unicode"
AssertEqual fm.OpenTextFile(folder & "\wide.txt", 1, False, -1).ReadLine, "first", "Unicode asked"

' After Close, reading fails with the system's invalid-handle error, from the stream beneath.
Set stream = fm.OpenTextFile(folder & "\two.txt")
stream.Close
textLine = stream.ReadLine
AssertError &H80070006, Empty, "ReadLine after Close"
stream.Write "x"
AssertError &H80070006, Empty, "Write after Close"
AssertTrue stream.AtEndOfLine, "AtEndOfLine after Close answers without an error"
AssertError 0, Empty, "AtEndOfLine raised nothing"

' Opening a missing file to append without Create fails and creates nothing.
Set stream = fm.OpenTextFile(folder & "\missing.txt", 8)
AssertError &H80070002, Empty, "append to a missing file"
Set stream = fm.OpenTextFile(folder & "\missing.txt")
AssertError &H80070002, Empty, "nothing was created"

ExpectChecks 20
