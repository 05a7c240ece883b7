' Benchmark: Drives enumeration and GetDrive against the platform's Scripting.FileSystemObject,
' the same loops on both sides in one run. Run it through the page host (after a build, with the
' module registered in the prefix):
'     source scripts/lib/common.sh && start_wine && register_module
'     wine_run build/x64/bin/docket-host.exe "$(winpath bench/drives.vbs)"
'     stop_wine
' Each line gives the microseconds per call of ours and of the peer and their ratio (below 1:
' ours is cheaper). Each loop runs nine times, the sides in turns, and the fastest run counts, so
' that other load on the machine does not decide the ratio. Both sides pay one query of the
' system's mount manager per call, which is most of the cost under Wine. Nothing is asserted.
Option Explicit

Const kRounds = 9
Dim started, sink, ours, peer

Function Elapsed()
    Elapsed = Timer - started
    If Elapsed < 0 Then Elapsed = Elapsed + 86400   ' past midnight
End Function

' One loop of `count` calls on one side; returns the seconds.
Function Timed(fs, workload, count)
    Dim i, d
    started = Timer
    Select Case workload
        Case "drives"   ' a new snapshot each time, walked to its end
            For i = 1 To count
                For Each d In fs.Drives : Set sink = d : Next
            Next
        Case "getdrive"
            For i = 1 To count : Set sink = fs.GetDrive("C:") : Next
        Case "getdrive-root"
            For i = 1 To count : Set sink = fs.GetDrive("C:\") : Next
    End Select
    Timed = Elapsed()
End Function

Sub Compare(what, workload, count)
    Dim round, t, best(1)
    best(0) = 1E9 : best(1) = 1E9
    For round = 1 To kRounds   ' each side goes first in every other round
        If round Mod 2 = 0 Then t = Timed(peer, workload, count) : If t < best(1) Then best(1) = t
        t = Timed(ours, workload, count) : If t < best(0) Then best(0) = t
        If round Mod 2 = 1 Then t = Timed(peer, workload, count) : If t < best(1) Then best(1) = t
    Next
    Dim ratio
    If best(1) > 0 Then ratio = FormatNumber(best(0) / best(1), 2) Else ratio = "-"
    Response.Write what & ": ours " & FormatNumber(best(0) * 1E6 / count, 2) & " us, peer " & _
        FormatNumber(best(1) * 1E6 / count, 2) & " us, ratio " & ratio & vbLf
End Sub

Set ours = Server.CreateObject("Corvane.FileManager")
Set peer = Server.CreateObject("Scripting.FileSystemObject")
Compare "Drives, walked with For Each", "drives", 2000
Compare "GetDrive(""C:"")", "getdrive", 20000
Compare "GetDrive(""C:\"")", "getdrive-root", 20000
