' Benchmark: the Dictionary against the platform's Scripting.Dictionary on the same workloads.
' Run it through the page host (after a build, with the module registered in the prefix):
'     source scripts/lib/common.sh && start_wine && register_module
'     wine_run build/x64/bin/docket-host.exe "$(winpath bench/dictionary.vbs)"
'     stop_wine
' Each line gives the seconds of ours and of the peer and their ratio (below 1: ours is faster).
' Timings come from Timer (about 1/128 s here); nothing is asserted.
Option Explicit

Const kEntries = 20000
Const kSmall = 2000   ' the peer's Items()(i) copies the whole array per call: quadratic
Dim started, sum

Function Elapsed()
    Elapsed = Timer - started
    If Elapsed < 0 Then Elapsed = Elapsed + 86400   ' past midnight
End Function

Sub Report(what, ours, peer)
    Dim ratio
    If peer > 0 Then ratio = FormatNumber(ours / peer, 2) Else ratio = "-"
    Response.Write what & ": ours " & FormatNumber(ours, 3) & " s, peer " & _
        FormatNumber(peer, 3) & " s, ratio " & ratio & vbLf
End Sub

' Keys in a scattered order (7919 is prime to kEntries), so neither store sees sorted input.
Function KeyOf(i, count)
    KeyOf = "key" & ((i * 7919) Mod count)
End Function

Function Filled(progId, count)
    Dim d, i
    Set d = CreateObject(progId)
    For i = 1 To count
        d.Add KeyOf(i, count), i
    Next
    Set Filled = d
End Function

' One workload on a dictionary: "adds", "position" (ours Item(i); the peer its Items() fetched
' once, or Items()(i) per read for "position-each"), "key", "foreach", "exists", "keys" (For Each
' over Keys), "remove" (every entry, one by one, in scattered order). Returns the seconds.
Function Timed(d, isOurs, workload, count)
    Dim i, items, item, key
    started = Timer
    Select Case workload
        Case "position"
            If isOurs Then
                For i = 1 To count : sum = sum + d.Item(i) : Next
            Else
                items = d.Items()
                For i = 0 To count - 1 : sum = sum + items(i) : Next
            End If
        Case "position-each"   ' written through a variable: Wine's VBScript cannot index a call
            For i = 0 To count - 1 : items = d.Items() : sum = sum + items(i) : Next
        Case "key"
            For i = 1 To count : sum = sum + d(KeyOf(i, count)) : Next
        Case "foreach"
            If isOurs Then
                For Each item In d : sum = sum + item : Next
            Else
                For Each item In d.Items() : sum = sum + item : Next
            End If
        Case "exists"
            For i = 1 To count
                If d.Exists(KeyOf(i, count)) Then sum = sum + 1
                If d.Exists("no" & i) Then sum = sum + 1
            Next
        Case "keys"
            For Each key In d.Keys : sum = sum + 1 : Next
        Case "remove"
            For i = 1 To count : d.Remove KeyOf(i, count) : Next
    End Select
    Timed = Elapsed()
End Function

Dim ours, peer, tOurs
started = Timer
Set ours = Filled("Docket.Dictionary", kEntries)
tOurs = Elapsed()
started = Timer
Set peer = Filled("Scripting.Dictionary", kEntries)
Report kEntries & " adds", tOurs, Elapsed()
Report kEntries & " reads by position (peer: Items() once)", Timed(ours, True, "position", kEntries), Timed(peer, False, "position", kEntries)
Report kEntries & " reads by key", Timed(ours, True, "key", kEntries), Timed(peer, False, "key", kEntries)
Report kEntries & " items by For Each (peer: over Items())", Timed(ours, True, "foreach", 0), Timed(peer, False, "foreach", 0)
Report kEntries & " present and " & kEntries & " missing keys by Exists", Timed(ours, True, "exists", kEntries), Timed(peer, False, "exists", kEntries)
Report kEntries & " keys by For Each over Keys", Timed(ours, True, "keys", 0), Timed(peer, False, "keys", 0)
Report kEntries & " removals", Timed(ours, True, "remove", kEntries), Timed(peer, False, "remove", kEntries)
Set ours = Filled("Docket.Dictionary", kSmall)
Set peer = Filled("Scripting.Dictionary", kSmall)
Report kSmall & " reads by position (peer: Items()(i))", Timed(ours, True, "position", kSmall), Timed(peer, False, "position-each", kSmall)
