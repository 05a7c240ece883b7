' Assertions for page tests, loaded by docket-host.exe before the test file. Each records one check
' through Host.Check, so that ExpectChecks notices an assertion that never ran.

' Numbers of any width compare by value; a number never equals text, a boolean or Empty, and only
' the Boolean True equals True.
Function ValueKind(v)
    If IsObject(v) Then
        ValueKind = "object"
    ElseIf IsArray(v) Then
        ValueKind = "array"
    Else
        Select Case VarType(v)
            Case 2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21: ValueKind = "number"
            Case Else: ValueKind = TypeName(v)
        End Select
    End If
End Function

' <text> (VarType n TypeName); TypeName(Nothing) would stop the engine.
Function DescribeValue(v)
    If IsObject(v) Then
        If v Is Nothing Then DescribeValue = "Nothing" Else DescribeValue = "<object " & TypeName(v) & ">"
        DescribeValue = DescribeValue & " (VarType 9 Object)"
        Exit Function
    End If
    Select Case ValueKind(v)
        Case "Empty", "Null": DescribeValue = TypeName(v)
        Case "number", "String", "Boolean", "Date": DescribeValue = "<" & CStr(v) & ">"
        Case Else: DescribeValue = "<value without text>"
    End Select
    DescribeValue = DescribeValue & " (VarType " & VarType(v) & " " & TypeName(v) & ")"
End Function

Function ValuesEqual(actual, expected)
    ValuesEqual = False
    If ValueKind(actual) <> ValueKind(expected) Then Exit Function
    Select Case ValueKind(actual)
        Case "object": ValuesEqual = actual Is expected
        Case "Empty", "Null": ValuesEqual = True
        Case "number", "String", "Boolean", "Date": ValuesEqual = (actual = expected)
    End Select
End Function

Sub AssertEqual(actual, expected, caseName)
    Host.Check ValuesEqual(actual, expected), caseName, _
        "expected " & DescribeValue(expected) & ", actual " & DescribeValue(actual)
End Sub

Function ErrorText(number, description)
    ErrorText = number & " (0x" & Right("0000000" & Hex(number), 8) & ") """ & description & """"
End Function

' Right after a call under On Error Resume Next: Err.Number, and Err.Description unless the
' expected one is Empty. Clears Err.
Sub AssertError(expectedNumber, expectedDescription, caseName)
    Dim number, description, detail
    number = Err.Number
    description = Err.Description
    Err.Clear
    detail = "expected error " & ErrorText(expectedNumber, expectedDescription) & ", got "
    If number = 0 Then detail = detail & "none" Else detail = detail & ErrorText(number, description)
    Host.Check number = expectedNumber And (IsEmpty(expectedDescription) Or description = expectedDescription), _
        caseName, detail
End Sub

' At the end of a test: under On Error Resume Next a statement whose own arguments fail is skipped
' whole, assertion included.
Sub ExpectChecks(expectedCount)
    Host.Check Host.Checks = expectedCount, "ExpectChecks(" & expectedCount & ")", _
        Host.Checks & " checks ran before it"
End Sub
