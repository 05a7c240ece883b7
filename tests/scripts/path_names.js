// The path-name functions from JScript, and JScript's view of the errors.
var fm = Server.CreateObject("Corvane.FileManager");
AssertEqual(fm.GetFileName("C:\\a\\b\\.."), "a", "GetFileName resolves the dots first");
AssertEqual(fm.GetAbsolutePathName(""), Server.MapPath("."), "empty path is the current folder");
// Optional arguments come from the type library: RegisterDLL registers by default.
AssertThrows(function () { fm.RegisterDLL(Host.Arguments(0) + "\\missing.dll"); },
             0x8007007E, undefined, "RegisterDLL reports the loader's error");
AssertThrows(function () { fm.RevertToSelf(); }, 0x80004001, undefined, "a member that is not implemented");
ExpectChecks(4);
