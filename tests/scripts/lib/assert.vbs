' Assertions for page tests, loaded by docket-host.exe before the test file. Each records one check
' through Host.Check, so that ExpectChecks notices an assertion that never ran.

' Numbers of any width compare by value; a number never equals text, a Boolean or Empty.
Function ValueKind(v)
    If IsObject(v) Then
        ValueKind = "Object"
    ElseIf IsArray(v) Then
        ValueKind = "Array"
    ElseIf InStr(" 2 3 4 5 6 14 16 17 18 19 20 21 ", " " & VarType(v) & " ") Then
        ValueKind = "Number"
    Else
        ValueKind = TypeName(v)
    End If
End Function

' <text> (TypeName); TypeName(Nothing) would stop the engine.
Function DescribeValue(v)
    If IsObject(v) Then
        If v Is Nothing Then DescribeValue = "Nothing" Else DescribeValue = "<object> (" & TypeName(v) & ")"
    ElseIf InStr("Number String Boolean Date", ValueKind(v)) Then
        DescribeValue = "<" & CStr(v) & "> (" & TypeName(v) & ")"
    Else
        DescribeValue = TypeName(v)
    End If
End Function

Sub AssertEqual(actual, expected, caseName)
    Dim kind, equal
    kind = ValueKind(actual)
    equal = kind = ValueKind(expected)
    If equal And kind = "Object" Then
        equal = actual Is expected
    ElseIf equal And kind = "String" Then  ' Wine's "=" passes over characters like U+FEFF
        equal = StrComp(actual, expected, vbBinaryCompare) = 0
    ElseIf equal And InStr("Number Boolean Date", kind) Then
        equal = (actual = expected)
    Else
        equal = equal And (kind = "Empty" Or kind = "Null")
    End If
    Host.Check equal, caseName, "expected " & DescribeValue(expected) & ", actual " & DescribeValue(actual)
End Sub

' At the end of a test: under On Error Resume Next a statement whose own arguments fail is skipped
' whole, assertion included.
Sub ExpectChecks(expectedCount)
    Host.Check Host.Checks = expectedCount, "ExpectChecks(" & expectedCount & ")", _
        Host.Checks & " checks ran before it"
End Sub
