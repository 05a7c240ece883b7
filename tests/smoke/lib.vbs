' Put before every VBScript the shell tests run in Wine's stock cscript (which has no include).
Option Explicit
Dim checks

' A statement skipped for its own arguments' error shows at the next check and in Done's count.
' Wine's "<>" on texts passes over characters like U+FEFF; StrComp does not.
Sub Expect(what, actual, expected)
  checks = checks + 1
  If Err.Number <> 0 Or actual <> expected Or StrComp(actual, expected, vbBinaryCompare) <> 0 Then WScript.Echo "surprise: " & what & " gave " & actual & _
    ", not " & expected & " (error " & Outcome() & ")"
  Err.Clear
End Sub

' The statement before failed with `number` (Empty: any 0x8007xxxx) and `description` (Empty: any
' but none; ending in "*": a lead-in the system's own text follows).
Sub ExpectError(what, number, description)
  Dim ok
  checks = checks + 1
  If IsEmpty(number) Then ok = (Err.Number And &HFFFF0000) = &H80070000 Else ok = Err.Number = number
  If IsEmpty(description) Then description = "*"
  If Right(description, 1) = "*" Then
    ok = ok And Len(Err.Description) >= Len(description) And Left(Err.Description, Len(description) - 1) & "*" = description
  Else
    ok = ok And StrComp(Err.Description, description, vbBinaryCompare) = 0
  End If
  If Not ok Then WScript.Echo "surprise: " & what & " raised " & Outcome()
  Err.Clear
End Sub

Function Outcome()  ' the error the statement before left, or "none"; clears it
  If Err.Number = 0 Then Outcome = "none" Else Outcome = Hex(Err.Number) & " " & Err.Description
  Err.Clear
End Function

Sub Done(expectedChecks)
  If checks <> expectedChecks Then WScript.Echo "surprise: " & checks & " checks ran, not " & expectedChecks
  WScript.Echo "done"
End Sub
