// Path arguments the platform could not be given exactly: an embedded NUL (the platform would stop
// there), U+4E00 (no form in the system code page: "?", a wildcard) and U+0163 (its look-alike "t").
// Each form below would reach report.txt, data or target: every member must refuse it with the
// system's invalid-name error and leave them untouched.
var scratch = Host.Arguments(0);
var fm = Server.CreateObject("Corvane.FileManager");
var fso = new ActiveXObject("Scripting.FileSystemObject");
function WriteText(path, text) { var s = fso.CreateTextFile(path, true); s.Write(text); s.Close(); }
function ReadText(path) { var s = fso.OpenTextFile(path), t = s.ReadAll(); s.Close(); return t; }
function Names(items) {  // by position: Wine's JScript never lets go of an Enumerator's enumerator
    for (var names = [], i = 1; i <= items.Count; i++) names.push(items.Item(i).Name);
    return names.join(",");
}
function ReplaceLastT(name, by) { var t = name.lastIndexOf("t"); return name.slice(0, t) + by + name.slice(t + 1); }

WriteText(scratch + "\\report.txt", "keep");
WriteText(scratch + "\\other.txt", "other");
fso.CreateFolder(scratch + "\\data");
WriteText(scratch + "\\data\\inner.txt", "inner");

var kinds = {
    "NUL": function (name) { return name + "\0.exe"; },
    "U+4E00": function (name) { return ReplaceLastT(name, "\u4E00"); },
    "U+0163": function (name) { return ReplaceLastT(name, "\u0163"); }
};

var invalidName = "";  // what the platform itself says of a bad name
try { fm.CreateFile(scratch + "\\bad|name"); } catch (e) { invalidName = e.description; }

var checks = 0;
for (var kind in kinds) {
    var bad = kinds[kind];
    var report = bad(scratch + "\\report.txt"), data = bad(scratch + "\\data");
    var target = bad(scratch + "\\target"), other = scratch + "\\other.txt";
    var file = fm.GetFile(other), folder = fm.GetFolder(scratch + "\\data");
    var moved = scratch + "\\moved", copied = scratch + "\\copied", inner = bad("inner.txt");
    var calls = [
        "fm.CopyFile(other, report, true)", "fm.MoveFile(report, moved)", "fm.DeleteFile(report, true)",
        "fm.CreateFile(report, true)", "fm.ConcatFiles(report, other, other)", "fm.CreateUniqueFile(data, 'new')",
        "fm.GetFile(report)", "fm.CreateTextFile(report, true)", "fm.OpenTextFile(report, 2)",
        "fm.CreateBinaryFile(report, true)", "fm.OpenBinaryFile(report, 2)", "fm.RegisterDLL(report)",
        "fm.GetFolder(data)", "fm.CreateFolder(data + '\\\\new')", "fm.DeleteFolder(data, true)",
        "fm.CopyFolder(data, copied)", "fm.MoveFolder(data, moved)", "file.Name = bad('target.txt')",
        "file.Copy(report, true)", "file.Move(report, true)", "folder.Name = bad('target')",
        "folder.Copy(target)", "folder.Move(target)", "folder.CreateTextFile(inner)",
        "folder.CreateBinaryFile(inner)", "folder.SearchWildCard = inner, folder.Files"
    ];
    for (var i = 0; i < calls.length; i++, checks++) {
        AssertThrows(function () { eval(calls[i]); }, 0x8007007B, invalidName, calls[i] + ", " + kind);
    }
    AssertEqual(folder.SearchWildCard, bad("inner.txt"), "SearchWildCard as put, " + kind);
    AssertEqual(fm.FileExists(report) || fm.FolderExists(data), false, "nothing exists, " + kind);
    var results = [fm.BuildPath(report, "x"), fm.BuildPath("x", report), fm.GetDriveName(report),
                   fm.GetParentFolderName(report), fm.GetFileName(report), fm.GetBaseName(report),
                   fm.GetExtensionName(report), fm.GetAbsolutePathName(report)];
    AssertEqual(results.join(""), "", "the path functions give empty strings, " + kind);
    checks += 3;
}

// A prefix with a separator or a drive's colon would put the file somewhere else.
var prefixes = ["..\\", "a\\b", "a/b", "C:\\", "x:"];
for (var i = 0; i < prefixes.length; ++i) {
    AssertThrows(function () { fm.CreateUniqueFile(scratch + "\\data", prefixes[i]); },
                 0x8007007B, invalidName, "CreateUniqueFile with the prefix " + prefixes[i]);
}

AssertEqual(ReadText(scratch + "\\report.txt") + " " + ReadText(scratch + "\\data\\inner.txt"),
            "keep inner", "no file was written");
var root = fm.GetFolder(scratch), data = fm.GetFolder(scratch + "\\data");
AssertEqual(Names(root.Files) + " " + Names(root.SubFolders) + " " + Names(data.Files),
            "other.txt,report.txt data inner.txt", "nothing was created, moved or deleted");
ExpectChecks(checks + prefixes.length + 2);
