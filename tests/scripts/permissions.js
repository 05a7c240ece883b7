// Permission entries from JScript: Enumerator over a file's and a folder's list (the engine asks for
// the enumerator with a method call), and moveFirst starting over.
// no unload check: Wine 8.0's JScript Enumerator never releases the enumerator it takes.
var scratch = Host.Arguments(0);
var fm = Server.CreateObject("Corvane.FileManager");
fm.CreateFile(scratch + "\\a.txt");

function Trustees(item) {
    var names = [];
    for (var e = new Enumerator(item); !e.atEnd(); e.moveNext()) names.push(e.item().Trustee);
    return names.join("|");
}
var expected = "NT AUTHORITY\\SYSTEM|" + fm.ProcessUser + "|Everyone";
AssertEqual(Trustees(fm.GetFile(scratch + "\\a.txt")), expected, "Enumerator over a file");
AssertEqual(Trustees(fm.CreateFolder(scratch + "\\site")), expected, "Enumerator over a folder");
var e = new Enumerator(fm.GetFile(scratch + "\\a.txt"));
e.moveNext();
e.moveFirst();
AssertEqual(e.item().Trustee, "NT AUTHORITY\\SYSTEM", "moveFirst starts over");
ExpectChecks(3);
