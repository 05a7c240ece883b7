' Benchmark: the Dictionary against the platform's Scripting.Dictionary on the same workloads, in
' one run through the page host (see bench/README.md). Each line gives the seconds of ours and of
' the peer and their ratio (below 1: ours is faster). Timer ticks about 1/128 s; nothing is asserted.
Option Explicit
Const kEntries = 20000
Const kSmall = 2000   ' the peer's Items()(i) copies the whole array per call: quadratic
Dim started, sum, ours, peer, tOurs

Function Elapsed()
    Elapsed = Timer - started
    If Elapsed < 0 Then Elapsed = Elapsed + 86400   ' past midnight
End Function

' Keys in a scattered order (7919 is prime to kEntries), so neither store sees sorted input.
Function KeyOf(i, count)
    KeyOf = "key" & ((i * 7919) Mod count)
End Function

Function Filled(progId, count)
    Dim d, i
    Set d = CreateObject(progId)
    For i = 1 To count : d.Add KeyOf(i, count), i : Next
    Set Filled = d
End Function

' One workload on a dictionary; returns the seconds. The peer reads positions from Items(), once
' ("position") or per read ("position-each", through a variable: Wine's VBScript cannot index a call).
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
        Case "position-each": For i = 0 To count - 1 : items = d.Items() : sum = sum + items(i) : Next
        Case "key": For i = 1 To count : sum = sum + d(KeyOf(i, count)) : Next
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
        Case "keys": For Each key In d.Keys : sum = sum + 1 : Next
        Case "remove": For i = 1 To count : d.Remove KeyOf(i, count) : Next
    End Select
    Timed = Elapsed()
End Function

Sub Report(what, ours, peer)
    Dim ratio : ratio = "-"
    If peer > 0 Then ratio = FormatNumber(ours / peer, 2)
    Response.Write what & ": ours " & FormatNumber(ours, 3) & " s, peer " & FormatNumber(peer, 3) & _
        " s, ratio " & ratio & vbLf
End Sub

Sub Compare(what, workload, count)
    Report count & " " & what, Timed(ours, True, workload, count), Timed(peer, False, workload, count)
End Sub

started = Timer
Set ours = Filled("Docket.Dictionary", kEntries)
tOurs = Elapsed()
started = Timer
Set peer = Filled("Scripting.Dictionary", kEntries)
Report kEntries & " adds", tOurs, Elapsed()
Compare "reads by position (peer: Items() once)", "position", kEntries
Compare "reads by key", "key", kEntries
Compare "items by For Each (peer: over Items())", "foreach", kEntries
Compare "present and as many missing keys by Exists", "exists", kEntries
Compare "keys by For Each over Keys", "keys", kEntries
Compare "removals", "remove", kEntries
Set ours = Filled("Docket.Dictionary", kSmall)
Set peer = Filled("Scripting.Dictionary", kSmall)
Report kSmall & " reads by position (peer: Items()(i))", Timed(ours, True, "position", kSmall), _
    Timed(peer, False, "position-each", kSmall)
