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
    var members = {
        "CopyFile": function () { fm.CopyFile(other, report, true); },
        "MoveFile": function () { fm.MoveFile(report, scratch + "\\moved.txt"); },
        "DeleteFile": function () { fm.DeleteFile(report, true); },
        "CreateFile": function () { fm.CreateFile(report, true); },
        "ConcatFiles": function () { fm.ConcatFiles(report, other, other); },
        "CreateUniqueFile": function () { fm.CreateUniqueFile(data, "new"); },
        "GetFile": function () { fm.GetFile(report); },
        "CreateTextFile": function () { fm.CreateTextFile(report, true); },
        "OpenTextFile": function () { fm.OpenTextFile(report, 2); },
        "CreateBinaryFile": function () { fm.CreateBinaryFile(report, true); },
        "OpenBinaryFile": function () { fm.OpenBinaryFile(report, 2); },
        "RegisterDLL": function () { fm.RegisterDLL(report); },
        "GetFolder": function () { fm.GetFolder(data); },
        "CreateFolder": function () { fm.CreateFolder(data + "\\new"); },
        "DeleteFolder": function () { fm.DeleteFolder(data, true); },
        "CopyFolder": function () { fm.CopyFolder(data, scratch + "\\copied"); },
        "MoveFolder": function () { fm.MoveFolder(data, scratch + "\\moved"); },
        "File.Name": function () { file.Name = bad("target.txt"); },
        "File.Copy": function () { file.Copy(report, true); },
        "File.Move": function () { file.Move(report, true); },
        "Folder.Name": function () { folder.Name = bad("target"); },
        "Folder.Copy": function () { folder.Copy(target); },
        "Folder.Move": function () { folder.Move(target); },
        "Folder.CreateTextFile": function () { folder.CreateTextFile(bad("inner.txt")); },
        "Folder.CreateBinaryFile": function () { folder.CreateBinaryFile(bad("inner.txt")); },
        "Folder.Files": function () { folder.SearchWildCard = bad("inner.txt"); folder.Files; }
    };
    for (var member in members) {
        AssertThrows(members[member], 0x8007007B, invalidName, member + " of a name with " + kind);
        ++checks;
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
