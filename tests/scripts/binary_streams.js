// Binary streams from JScript: what Write accepts, moving back, the end of the stream, Close.
// Wine's JScript can't look into a byte array (VBArray refuses one), so bytes are checked through
// ReadVar, whose arrays of variants it can read.
var fm = Server.CreateObject("Corvane.FileManager");
var path = Host.Arguments(0) + "\\data.bin";

function Bytes(variantArray) { return new VBArray(variantArray).toArray().join(","); }

// A string is written as its UTF-16LE bytes, a byte array read from a stream as it is, a
// JScript array not at all.
var stream = fm.CreateBinaryFile(path);
stream.Write("ab");
stream.Fill(0x141, 2);
stream.Close();
stream = fm.OpenBinaryFile(path);
var bytes = stream.Read(3);
stream.Close();
stream = fm.OpenBinaryFile(path, 8);
stream.Write(bytes);
var refusal = "";
try { stream.Write([1, 2, 3]); } catch (e) { refusal = e.description; }
AssertEqual(refusal, "Couldn't convert type to Array of bytes.", "a JScript array is refused");
stream.Close();

stream = fm.OpenBinaryFile(path);
AssertEqual(Bytes(stream.ReadVar(5)), "97,0,98,0,65", "string as UTF-16LE, Fill takes the low byte");
stream.Skip(-2);
AssertEqual(Bytes(stream.ReadVar(1)), "0", "Skip(-2) after five bytes gives the fourth");
AssertEqual(Bytes(stream.ReadVarAll()), "65,65,97,0,98", "the rest: the byte array was appended as it was");
AssertEqual(stream.AtEndOfStream, false, "not at the end until a read comes back empty");
AssertEqual(Bytes(stream.ReadVar(1)), "", "the empty read");
AssertEqual(stream.AtEndOfStream, true, "at the end after it");
stream.Close();
AssertThrows(function () { stream.ReadVar(1); }, 0x80070006, undefined, "ReadVar after Close");
AssertThrows(function () { stream.Skip(1); }, 0x80070006, undefined, "Skip after Close");

ExpectChecks(9);
