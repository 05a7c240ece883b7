' Self-test of docket-host.exe and lib/assert.vbs, run like every script test:
'     docket-host.exe lib/assert.vbs host_selftest.vbs --args <scratch folder>
' host_selftest.sh also compares its output byte for byte, so every Response.Write here matters.
Option Explicit
On Error Resume Next

Dim scratchFolder, fso, dictionary, before, probe, environment, currentFolder

' Response.Write: text as the automation rules make it, nothing added, Null writes nothing.
Response.Write "text|"
Response.Write 42
Response.Write "|"
Response.Write True
Response.Write "|"
Response.Write Null
Response.Write Empty
Response.Write 2.5
Response.Write "|" & Chr(233) & Chr(128) & vbLf
AssertError 0, Empty, "Response.Write raised nothing"

' Host: the arguments after --args, and a clear error past the end.
AssertEqual Host.ArgumentCount, 1, "Host.ArgumentCount"
scratchFolder = Host.Arguments(0)
AssertEqual VarType(Host.ArgumentCount), vbLong, "Host.ArgumentCount is a Long"
Dim missingArgument
missingArgument = Host.Arguments(1)
AssertError &H8002000B, "Host.Arguments: no argument 1 (there are 1)", "Host.Arguments past the end"
missingArgument = Host.Arguments(-1)
AssertError &H8002000B, Empty, "Host.Arguments below zero"

' Host.Check and Host.Checks: each assertion counts once, a passing one is not a failure.
before = Host.Checks
AssertTrue True, "AssertTrue True"
AssertEqual Host.Checks, before + 1, "one assertion is one check"
AssertEqual Host.Failures, 0, "passing checks are not failures"
Host.Check True, "Host.Check directly"
AssertEqual Host.Checks, before + 4, "Host.Check counts too"

' AssertEqual compares numbers of any width by value and everything else within its own kind.
AssertEqual CLng(7), CDbl(7), "Long equals Double of the same value"
AssertEqual CByte(200), 200, "Byte equals Integer"
AssertEqual "abc", "abc", "equal text"
AssertEqual Null, Null, "Null equals Null"
AssertEqual Empty, Empty, "Empty equals Empty"
AssertEqual False, False, "False equals False"
AssertEqual DateSerial(2001, 2, 3), DateSerial(2001, 2, 3), "equal dates"
AssertEqual Nothing, Nothing, "Nothing is Nothing"

' AssertError reads Err, compares and clears it.
Err.Raise vbObjectError + 17, "selftest", "raised on purpose"
AssertError vbObjectError + 17, "raised on purpose", "AssertError number and description"
AssertEqual Err.Number, 0, "AssertError clears Err"
Err.Raise 5
AssertError 5, Empty, "AssertError without a description"

' Request.ServerVariables reads the environment; an unknown name reads Empty.
Set environment = Server.CreateObject("WScript.Shell").Environment("PROCESS")
AssertEqual Request.ServerVariables("COMPUTERNAME"), environment("COMPUTERNAME"), "ServerVariables of a set variable"
AssertTrue IsEmpty(Request.ServerVariables("DOCKET_HOST_UNSET_VARIABLE")), "ServerVariables of an unset variable"

' Server.MapPath resolves against the current folder. (The file system object is the witness only
' for ".": Wine 8.0's GetAbsolutePathName drops the last part of a longer relative path.)
Set fso = Server.CreateObject("Scripting.FileSystemObject")
AssertError 0, Empty, "Server.CreateObject FileSystemObject"
currentFolder = Server.MapPath(".")
AssertEqual currentFolder, fso.GetAbsolutePathName("."), "Server.MapPath of the current folder"
AssertEqual Server.MapPath("sub\name.txt"), currentFolder & "\sub\name.txt", "Server.MapPath relative"
AssertEqual Server.MapPath("sub/../other.txt"), currentFolder & "\other.txt", "Server.MapPath folds .. and /"
AssertEqual Server.MapPath(scratchFolder), scratchFolder, "Server.MapPath absolute"
Server.MapPath ""
AssertError &H80070057, "Server.MapPath needs a path", "Server.MapPath of nothing"

' Server.CreateObject hands back a working object; objects without OnStartPage are not disturbed.
AssertTrue fso.FolderExists(scratchFolder), "FileSystemObject sees the scratch folder"
Set dictionary = Server.CreateObject("Scripting.Dictionary")
dictionary.Add "key", "value"
AssertEqual dictionary.Item("key"), "value", "Dictionary from Server.CreateObject works"
AssertEqual dictionary, dictionary, "an object equals itself"
Set probe = Server.CreateObject("DocketHost.NoSuchClass")
AssertError &H800401F3, Empty, "Server.CreateObject of an unknown program identifier"
AssertTrue IsEmpty(probe), "a failed CreateObject assigns nothing"

' A statement whose own argument fails is skipped whole: the count below proves none was lost.
ExpectChecks 34
