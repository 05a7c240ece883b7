' Assertions for page tests run by docket-host.exe; load this file before the test file:
'     docket-host.exe lib/assert.vbs my_test.vbs
' Every assertion records exactly one check through Host.Check, so Host.Checks counts the
' assertions that really ran (see ExpectChecks).

' Kinds that compare with each other: numbers of any width compare by value, but a number never
' equals text, a boolean or Empty, so a member that returns the wrong type is caught.
Function ValueKind(value)
    If IsObject(value) Then
        ValueKind = "object"
    ElseIf IsArray(value) Then
        ValueKind = "array"
    Else
        Select Case VarType(value)
            Case vbEmpty: ValueKind = "empty"
            Case vbNull: ValueKind = "null"
            Case vbString: ValueKind = "string"
            Case vbBoolean: ValueKind = "boolean"
            Case vbDate: ValueKind = "date"
            Case vbError: ValueKind = "error"
            ' Integer, Long, Single, Double, Currency, Decimal and the signed and unsigned 8 to 64 bit types.
            Case 2, 3, 4, 5, 6, 14, 16, 17, 18, 19, 20, 21: ValueKind = "number"
            Case Else: ValueKind = "other"
        End Select
    End If
End Function

' Value and type as a failure message shows them: <text> (VarType n TypeName).
Function DescribeValue(value)
    If IsObject(value) Then
        ' TypeName(Nothing) stops the engine here, so Nothing is told apart first.
        If value Is Nothing Then
            DescribeValue = "Nothing (VarType 9 Object)"
        Else
            DescribeValue = "<object " & TypeName(value) & "> (VarType 9 Object)"
        End If
        Exit Function
    End If
    Dim text
    Select Case ValueKind(value)
        Case "empty": text = "Empty"
        Case "null": text = "Null"
        Case "array": text = "<array>"
        Case "string", "boolean", "date", "number": text = "<" & CStr(value) & ">"
        Case Else: text = "<value without text>"
    End Select
    DescribeValue = text & " (VarType " & VarType(value) & " " & TypeName(value) & ")"
End Function

Function ValuesEqual(actual, expected)
    Dim kind
    kind = ValueKind(actual)
    ValuesEqual = False
    If kind <> ValueKind(expected) Or kind = "array" Or kind = "other" Then Exit Function
    If kind = "object" Then
        ValuesEqual = (actual Is expected)
    ElseIf kind = "empty" Or kind = "null" Then
        ValuesEqual = True
    Else
        ValuesEqual = (actual = expected)
    End If
End Function

' Records the check; a failure shows `detail`.
Sub Record(passed, caseName, detail)
    If passed Then Host.Check True, caseName Else Host.Check False, caseName, detail
End Sub

Sub AssertEqual(actual, expected, caseName)
    Record ValuesEqual(actual, expected), caseName, _
        "expected " & DescribeValue(expected) & ", actual " & DescribeValue(actual)
End Sub

' Passes only for the Boolean True: a truthy number or text is a mistake in the test or the product.
Sub AssertTrue(condition, caseName)
    Dim passed
    passed = False
    If Not IsObject(condition) Then
        If VarType(condition) = vbBoolean Then passed = condition
    End If
    Record passed, caseName, "condition was " & DescribeValue(condition)
End Sub

Function ErrorText(number, description)
    ErrorText = number & " (0x" & Right("0000000" & Hex(number), 8) & ") """ & description & """"
End Function

' Use right after a call under On Error Resume Next. Checks Err.Number and, unless
' expectedDescription is Empty, Err.Description; then clears Err for the next call.
Sub AssertError(expectedNumber, expectedDescription, caseName)
    Dim number, description, passed, detail
    number = Err.Number
    description = Err.Description
    Err.Clear
    passed = (number = expectedNumber)
    If passed And Not IsEmpty(expectedDescription) Then passed = (description = expectedDescription)
    If number = 0 Then
        detail = "no error was raised; expected " & ErrorText(expectedNumber, expectedDescription)
    Else
        detail = "expected error " & ErrorText(expectedNumber, expectedDescription) & ", got " & _
                 ErrorText(number, description)
    End If
    Record passed, caseName, detail
End Sub

' Call at the end of a test with the number of checks made before it. Under On Error Resume Next a
' statement whose own arguments fail is skipped whole, assertion included; this catches that.
Sub ExpectChecks(expectedCount)
    Dim ran
    ran = Host.Checks
    Record ran = expectedCount, "ExpectChecks(" & expectedCount & ")", ran & " checks ran before it"
End Sub
