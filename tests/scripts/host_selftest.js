// Self-test of docket-host.exe and lib/assert.js, run like every script test:
//     docket-host.exe lib/assert.js host_selftest.js --args <scratch folder>
// host_selftest.sh also compares its output byte for byte, so every Response.Write here matters.

// Response.Write: text as the automation rules make it, nothing added, null writes nothing.
Response.Write("text|");
Response.Write(42);
Response.Write("|");
Response.Write(true);
Response.Write("|");
Response.Write(null);
Response.Write(2.5);
Response.Write("|\u00e9\u20ac\n");

// Host: the arguments after --args, and a clear error past the end.
AssertEqual(Host.ArgumentCount, 1, "Host.ArgumentCount");
var scratchFolder = Host.Arguments(0);
AssertThrows(function () { Host.Arguments(1); }, 0x8002000B, "Host.Arguments: no argument 1 (there are 1)",
    "Host.Arguments past the end, number in hex");
AssertThrows(function () { Host.Arguments(1); }, -2147352565, undefined,
    "Host.Arguments past the end, number signed");

// Host.Check and Host.Checks: each assertion counts once, a passing one is not a failure.
var before = Host.Checks;
AssertTrue(true, "AssertTrue true");
AssertEqual(Host.Checks, before + 1, "one assertion is one check");
AssertEqual(Host.Failures, 0, "passing checks are not failures");
Host.Check(true, "Host.Check directly");
AssertEqual(Host.Checks, before + 4, "Host.Check counts too");

// AssertEqual is strict within a type. (Automation dates are not tried here: Wine 8.0's JScript
// refuses them with E_NOTIMPL, where Windows gives them typeof "date".)
AssertEqual("abc", "abc", "equal strings");
AssertEqual(null, null, "null equals null");
AssertEqual(undefined, undefined, "undefined equals undefined");

// AssertThrows: engine errors and thrown objects.
AssertThrows(function () { var nothing = null; return nothing.member; }, 0x800A138F, undefined,
    "a member of null");
AssertThrows(function () { var e = new Error(1234, "thrown on purpose"); throw e; }, 1234, "thrown on purpose",
    "a thrown Error keeps number and description");

// Request.ServerVariables reads the environment; an unknown name reads as undefined (Empty).
var environment = Server.CreateObject("WScript.Shell").Environment("PROCESS");
AssertEqual(Request.ServerVariables("COMPUTERNAME"), environment("COMPUTERNAME"), "ServerVariables of a set variable");
AssertEqual(Request.ServerVariables("DOCKET_HOST_UNSET_VARIABLE"), undefined, "ServerVariables of an unset variable");

// Server.MapPath resolves against the current folder.
var fso = Server.CreateObject("Scripting.FileSystemObject");
var currentFolder = Server.MapPath(".");
AssertEqual(currentFolder, fso.GetAbsolutePathName("."), "Server.MapPath of the current folder");
AssertEqual(Server.MapPath("sub\\name.txt"), currentFolder + "\\sub\\name.txt", "Server.MapPath relative");
AssertThrows(function () { Server.MapPath(""); }, 0x80070057, "Server.MapPath needs a path", "Server.MapPath of nothing");

// Server.CreateObject: working objects, and a clear error for an unknown program identifier.
AssertTrue(fso.FolderExists(scratchFolder), "FileSystemObject sees the scratch folder");
var dictionary = Server.CreateObject("Scripting.Dictionary");
dictionary.Add("key", "value");
AssertEqual(dictionary.Item("key"), "value", "Dictionary from Server.CreateObject works");
AssertEqual(dictionary, dictionary, "an object equals itself");
AssertThrows(function () { Server.CreateObject("DocketHost.NoSuchClass"); }, 0x800401F3, undefined,
    "Server.CreateObject of an unknown program identifier");

ExpectChecks(22);
