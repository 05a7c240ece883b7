// Binary streams from JScript: bytes in and out, what Write accepts, moving back, the end of the
// stream, and Close. Wine's JScript can't look into a byte array (VBArray refuses one), so the
// bytes are checked through ReadVar, whose variant arrays it can read.
var fm = new ActiveXObject("Corvane.FileManager");
var folder = Host.Arguments(0);
var path = folder + "\\data.bin";

// The bytes of the whole file, as "1,2,3".
function FileBytes() {
    var reader = fm.OpenBinaryFile(path);
    var bytes = new VBArray(reader.ReadVarAll()).toArray().join(",");
    reader.Close();
    return bytes;
}

// A string is written as its UTF-16LE bytes, a byte array read from a stream as it is.
var writer = fm.CreateBinaryFile(path);
writer.Write("ab");
writer.Fill(0x141, 2);
writer.Close();
AssertEqual(FileBytes(), "97,0,98,0,65,65", "string as UTF-16LE, Fill takes the low byte");
var reader = fm.OpenBinaryFile(path);
var bytes = reader.Read(3);
reader.Close();
writer = fm.OpenBinaryFile(path, 8);
writer.Write(bytes);
writer.Close();
AssertEqual(FileBytes(), "97,0,98,0,65,65,97,0,98", "a byte array is written back as it is");

// A script array is no byte array.
writer = fm.OpenBinaryFile(path, 2);
var refusal = "";
try { writer.Write([1, 2, 3]); } catch (e) { refusal = e.description; }
AssertEqual(refusal, "Couldn't convert type to Array of bytes.", "a JScript array is refused");
writer.Close();

// Reads and the end of the stream; Skip moves back from where the reads stopped.
reader = fm.OpenBinaryFile(path);
reader.Read(5);
reader.Skip(-2);
AssertEqual(new VBArray(reader.ReadVar(1)).toArray().join(","), "0", "Skip(-2) after Read(5) gives the fourth byte");
AssertEqual(new VBArray(reader.ReadVar(100)).toArray().length, 5, "a read past the end returns what is left");
AssertEqual(reader.AtEndOfStream, false, "not at the end until a read comes back empty");
AssertEqual(new VBArray(reader.ReadVar(1)).toArray().length, 0, "the empty read");
AssertEqual(reader.AtEndOfStream, true, "at the end after it");
reader.Close();
AssertThrows(function () { reader.ReadVar(1); }, 0x80070006, undefined, "ReadVar after Close");
AssertThrows(function () { reader.Skip(1); }, 0x80070006, undefined, "Skip after Close");

// A text file read line by line until its end.
var text = fm.CreateTextFile(folder + "\\lines.txt");
text.WriteLine("one");
text.WriteBlankLines(1);
text.Write("three");
text.Close();
text = fm.OpenTextFile(folder + "\\lines.txt");
var lines = [];
while (!text.AtEndOfStream) lines.push(text.ReadLine());
AssertEqual(lines.join("|"), "one||three", "lines until the end");
AssertEqual(text.Line, 4, "Line after the last line");

ExpectChecks(12);
