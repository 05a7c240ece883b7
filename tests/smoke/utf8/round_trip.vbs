' Reads what Python wrote in UTF-8 (with and without a mark, whole and by line) and writes it back.
Dim fm, folder, expected, stream, lines, i
Set fm = CreateObject("Corvane.FileManager")
folder = WScript.Arguments(0) & "\"

' The same text in UTF-16 with its mark, which every stream has always read.
expected = fm.OpenTextFile(folder & "expected-utf16.txt", 1, False, -2).ReadAll
Expect "UTF-8 without a mark", fm.OpenTextFile(folder & "from-python.txt", 1, False, 65001).ReadAll, expected
Expect "UTF-8 with a mark", fm.OpenTextFile(folder & "from-python-sig.txt", 1, False, 65001).ReadAll, expected
Expect "File.OpenAsTextStream", fm.GetFile(folder & "from-python.txt").OpenAsTextStream(1, 65001).ReadAll, expected

lines = Split(expected, vbCrLf)
Set stream = fm.OpenTextFile(folder & "from-python.txt", 1, False, 65001)
For i = 0 To UBound(lines): Expect "line " & i, stream.ReadLine, lines(i): Next
Expect "the end", stream.AtEndOfStream, True
Set stream = fm.OpenTextFile(folder & "to-python.txt", 2, True, 65001)
For i = 0 To UBound(lines) - 1: stream.WriteLine lines(i): Next
stream.Write lines(UBound(lines))
stream.Close
Done 9
