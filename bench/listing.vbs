' Benchmark: Drives, GetDrive and folder listings against Scripting.FileSystemObject, the same
' loops on both sides in one run (see bench/README.md): time per call of each side and the ratio
' ours/peer, the fastest of nine runs, the sides in turns.
Option Explicit
Dim started, sink, ours, peer, sample, i, j

' One loop of `count` calls on one side; returns the seconds.
Function Timed(fs, workload, count)
    Dim i, item
    started = Timer
    Select Case workload   ' a new snapshot each time, walked to its end
        Case "drives": For i = 1 To count : For Each item In fs.Drives : Set sink = item : Next : Next
        Case "getdrive": For i = 1 To count : Set sink = fs.GetDrive("C:") : Next
        Case "getdrive-root": For i = 1 To count : Set sink = fs.GetDrive("C:\") : Next
        Case "files": For i = 1 To count : For Each item In fs.GetFolder(sample).Files : sink = item.Name : Next : Next
        Case "subfolders": For i = 1 To count : For Each item In fs.GetFolder(sample).SubFolders : sink = item.Name : Next : Next
        Case "size": For i = 1 To count : sink = fs.GetFolder(sample).Size : Next
    End Select
    Timed = Timer - started
    If Timed < 0 Then Timed = Timed + 86400   ' past midnight
End Function

' Per call in `unit` (1E6: microseconds, 1E3: milliseconds); without a peer only ours is timed.
Sub Compare(what, workload, count, unit, withPeer)
    Dim round, t, best(1), line
    best(0) = 1E9 : best(1) = 1E9
    For round = 1 To 9   ' each side goes first in every other round
        If withPeer And round Mod 2 = 0 Then t = Timed(peer, workload, count) : If t < best(1) Then best(1) = t
        t = Timed(ours, workload, count) : If t < best(0) Then best(0) = t
        If withPeer And round Mod 2 = 1 Then t = Timed(peer, workload, count) : If t < best(1) Then best(1) = t
    Next
    line = what & ": ours " & FormatNumber(best(0) * unit / count, 2)
    If withPeer Then line = line & ", peer " & FormatNumber(best(1) * unit / count, 2) & _
        ", ratio " & FormatNumber(best(0) / best(1), 2)
    Response.Write line & vbLf
End Sub

Set ours = Server.CreateObject("Corvane.FileManager")
Set peer = Server.CreateObject("Scripting.FileSystemObject")
' The sample: 1,000 files and 50 folders of 20 files each, made on the first run and kept.
sample = Host.Arguments(0) & "\listing"
If Not peer.FolderExists(sample) Then
    peer.CreateFolder sample
    For i = 1 To 1000 : peer.CreateTextFile(sample & "\file" & i & ".txt").Write "x" : Next
    For i = 1 To 50
        peer.CreateFolder sample & "\folder" & i
        For j = 1 To 20 : peer.CreateTextFile(sample & "\folder" & i & "\f" & j & ".dat").Write "yy" : Next
    Next
End If
Compare "Drives, walked with For Each, us", "drives", 2000, 1E6, True
Compare "GetDrive(""C:""), us", "getdrive", 20000, 1E6, True
Compare "GetDrive(""C:\""), us", "getdrive-root", 20000, 1E6, True
Compare "Files of 1,000, each Name read, ms", "files", 10, 1E3, True
Compare "SubFolders of 50, each Name read, ms", "subfolders", 50, 1E3, True
Compare "Size of a tree of 2,000 files, ms (no peer)", "size", 10, 1E3, False
