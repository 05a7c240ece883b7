' Benchmark: folder listings against the platform's Scripting.FileSystemObject, the same loops on
' both sides in one run. Run it through the page host (after a build, with the module registered):
'     source scripts/lib/common.sh && start_wine && register_module
'     wine_run build/x64/bin/docket-host.exe "$(winpath bench/listing.vbs)" --args "$(winpath build/bench)"
'     stop_wine
' The sample (1,000 files and 50 folders of 20 files each, under <argument>\listing) is made on the
' first run and kept. Each line gives the milliseconds per listing of ours and of the peer and
' their ratio (below 1: ours is cheaper); Size is timed for ours alone, the peer has none. Each loop runs nine times, the sides in turns, and the
' fastest run counts, so that other load on the machine does not decide the ratio. Nothing is
' asserted.
Option Explicit

Const kRounds = 9
Const kFiles = 1000
Const kFolders = 50
Const kFilesPerFolder = 20
Dim started, sink, ours, peer, sample

Function Elapsed()
    Elapsed = Timer - started
    If Elapsed < 0 Then Elapsed = Elapsed + 86400   ' past midnight
End Function

Sub MakeSample(fs)
    Dim i, j, folder
    If fs.FolderExists(sample) Then Exit Sub
    fs.CreateFolder sample
    For i = 1 To kFiles : fs.CreateTextFile(sample & "\file" & i & ".txt").Write "x" : Next
    For i = 1 To kFolders
        folder = sample & "\folder" & i
        fs.CreateFolder folder
        For j = 1 To kFilesPerFolder : fs.CreateTextFile(folder & "\f" & j & ".dat").Write "yy" : Next
    Next
End Sub

' One loop of `count` listings on one side; returns the seconds.
Function Timed(fs, workload, count)
    Dim i, item
    started = Timer
    Select Case workload
        Case "files"   ' a new snapshot each time, walked to its end, each item's name read
            For i = 1 To count
                For Each item In fs.GetFolder(sample).Files : sink = item.Name : Next
            Next
        Case "subfolders"
            For i = 1 To count
                For Each item In fs.GetFolder(sample).SubFolders : sink = item.Name : Next
            Next
        Case "size"   ' the whole tree: 2,000 files in 51 folders
            For i = 1 To count : sink = fs.GetFolder(sample).Size : Next
    End Select
    Timed = Elapsed()
End Function

' Without a peer (Wine's scripting runtime has no Folder.Size) only ours is timed.
Sub Compare(what, workload, count, withPeer)
    Dim round, t, best(1)
    best(0) = 1E9 : best(1) = 1E9
    For round = 1 To kRounds   ' each side goes first in every other round
        If withPeer And round Mod 2 = 0 Then t = Timed(peer, workload, count) : If t < best(1) Then best(1) = t
        t = Timed(ours, workload, count) : If t < best(0) Then best(0) = t
        If withPeer And round Mod 2 = 1 Then t = Timed(peer, workload, count) : If t < best(1) Then best(1) = t
    Next
    Dim line
    line = what & ": ours " & FormatNumber(best(0) * 1E3 / count, 2) & " ms"
    If withPeer Then line = line & ", peer " & FormatNumber(best(1) * 1E3 / count, 2) & _
        " ms, ratio " & FormatNumber(best(0) / best(1), 2)
    Response.Write line & vbLf
End Sub

Set ours = Server.CreateObject("Corvane.FileManager")
Set peer = Server.CreateObject("Scripting.FileSystemObject")
sample = Host.Arguments(0) & "\listing"
MakeSample peer
Compare "Files of 1,000, each Name read", "files", 10, True
Compare "SubFolders of 50, each Name read", "subfolders", 50, True
Compare "Size of a tree of 2,000 files", "size", 10, False
