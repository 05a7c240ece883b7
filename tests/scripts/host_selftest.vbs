' Self-test of docket-host.exe and lib/assert.vbs; host_selftest.test.sh compares the output.
Option Explicit
On Error Resume Next
Dim fso, missing
' Text as the automation rules make it, nothing added; Null and Empty write nothing.
Response.Write "text|" : Response.Write 42 : Response.Write "|" : Response.Write True
Response.Write "|" : Response.Write Null : Response.Write Empty : Response.Write 2.5
Response.Write "|" & Chr(233) & Chr(128) & vbLf

AssertEqual Host.ArgumentCount, 1, "Host.ArgumentCount"
missing = Host.Arguments(1)
AssertEqual Hex(Err.Number) & " " & Err.Description, "8002000B Host.Arguments: no argument 1 (there are 1)", "Host.Arguments past the end"
AssertEqual CLng(7), CDbl(7), "numbers of any width compare by value"
AssertEqual DateSerial(2001, 2, 3), DateSerial(2001, 2, 3), "equal dates"
AssertEqual Request.ServerVariables("DOCKET_HOST_UNSET_VARIABLE"), Empty, "ServerVariables of an unset variable"
Set fso = Server.CreateObject("Scripting.FileSystemObject")
AssertEqual Server.MapPath("sub/../other.txt"), fso.GetAbsolutePathName(".") & "\other.txt", "Server.MapPath folds .. and /"
AssertEqual fso.FolderExists(Host.Arguments(0)), True, "the scratch folder exists"
ExpectChecks 7
