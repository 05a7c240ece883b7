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

Dim started

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

' The peer's Items()(i), written through a variable: Wine's VBScript does not parse a call's
' result indexed in place.
Function PeerItemAt(d, i)
    Dim all
    all = d.Items()
    PeerItemAt = all(i)
End Function

Function Filled(progId, count)
    Dim d, i
    Set d = CreateObject(progId)
    For i = 1 To count
        d.Add KeyOf(i, count), i
    Next
    Set Filled = d
End Function

Dim ours, peer, tOurs, tPeer, i, sum, items, item

' 1. Adding.
started = Timer
Set ours = Filled("Docket.Dictionary", kEntries)
tOurs = Elapsed()
started = Timer
Set peer = Filled("Scripting.Dictionary", kEntries)
tPeer = Elapsed()
Report kEntries & " adds", tOurs, tPeer

' 2. Every item by position. Ours: Item(i), 1-based. Peer: its items array, fetched once.
started = Timer
sum = 0
For i = 1 To ours.Count
    sum = sum + ours.Item(i)
Next
tOurs = Elapsed()
started = Timer
sum = 0
items = peer.Items()
For i = 0 To peer.Count - 1
    sum = sum + items(i)
Next
tPeer = Elapsed()
Report kEntries & " reads by position (peer: Items() once)", tOurs, tPeer

' 3. Every item by key.
started = Timer
For i = 1 To kEntries
    sum = sum + ours(KeyOf(i, kEntries))
Next
tOurs = Elapsed()
started = Timer
For i = 1 To kEntries
    sum = sum + peer(KeyOf(i, kEntries))
Next
tPeer = Elapsed()
Report kEntries & " reads by key", tOurs, tPeer

' 4. For Each over all items.
started = Timer
For Each item In ours
    sum = sum + item
Next
tOurs = Elapsed()
started = Timer
For Each item In peer.Items()
    sum = sum + item
Next
tPeer = Elapsed()
Report kEntries & " items by For Each (peer: over Items())", tOurs, tPeer

' 5. Position as a loop writes it against each: ours Item(i), the peer Items()(i), on fewer
'    entries since the peer copies all its items for every read.
Set ours = Filled("Docket.Dictionary", kSmall)
Set peer = Filled("Scripting.Dictionary", kSmall)
started = Timer
For i = 1 To ours.Count
    sum = sum + ours.Item(i)
Next
tOurs = Elapsed()
started = Timer
For i = 0 To peer.Count - 1
    sum = sum + PeerItemAt(peer, i)
Next
tPeer = Elapsed()
Report kSmall & " reads by position (peer: Items()(i))", tOurs, tPeer
