// The Drives collection walked by JScript's Enumerator in Wine's stock cscript.
var fm = new ActiveXObject("Corvane.FileManager");
var letters = "";
for (var e = new Enumerator(fm.Drives); !e.atEnd(); e.moveNext()) letters += e.item().DriveLetter;
if (letters != "CDEFGZ") WScript.Echo("surprise: the drives walked were " + letters);
if (fm.Drives.Item(3).Path != "E:") WScript.Echo("surprise: Item(3) is " + fm.Drives.Item(3).Path);
WScript.Echo("done");
