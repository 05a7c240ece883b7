// The Dictionary as a page author uses it from JScript: numbers arrive as 32-bit integers or
// doubles, objects by value, and enumeration goes through Enumerator.
// The dictionary reports its messages without a code of their own (DISP_E_EXCEPTION); JScript
// gives such an exception the number E_FAIL and keeps the description.
var kException = 0x80004005;
var d = new ActiveXObject("Docket.Dictionary");
d.Add("b.txt", "b");
d.Add("A.txt", "a");
d.Add("_c.txt", "c");

AssertEqual(d.Item(1) + d.Item(3), "cb", "positions follow the key order");
AssertEqual(d("a.TXT"), "a", "Item is the default member");
AssertThrows(function () { return d.Item(1.5); }, kException, "Type not supported.", "a fractional position");
AssertThrows(function () { return d.Item(2147483648); }, kException, "Type not supported.",
             "a position beyond 32 bits is a double");
AssertThrows(function () { return d.Item(null); }, kException, "Type not supported.", "null");
AssertThrows(function () { d.Add(1, "one"); }, kException, "Key must be a string.", "a number is not a key");

var inner = new ActiveXObject("Docket.Dictionary");
inner.Add("x", 1);
d.Add("inner", inner);
AssertEqual(d.Item("inner").Item("x"), 1, "an object item stays callable");

// Enumerator: on Windows JScript asks for _NewEnum as a method or property get. Wine 8.0's
// JScript asks for a method only, which a property get (as _NewEnum is declared here, and in the
// platform's own file-system collections) cannot answer: there the Enumerator constructor fails
// for both with the same error, which is what this test then pins.
function EnumeratorError(collection) {
    try {
        new Enumerator(collection);
        return 0;
    } catch (e) {
        return e.number;
    }
}
var fso = new ActiveXObject("Scripting.FileSystemObject");
var peerError = EnumeratorError(fso.GetFolder(Host.Arguments(0)).SubFolders);
if (peerError !== 0) {
    AssertEqual(EnumeratorError(d), peerError, "the engine cannot reach a property-get _NewEnum (Wine 8.0)");
    AssertEqual(peerError >>> 0, 0x80070057, "Wine 8.0's Enumerator reports E_INVALIDARG");
} else {
    var walked = "";
    for (var e = new Enumerator(d); !e.atEnd(); e.moveNext())
        walked += typeof e.item() === "object" ? "o" : e.item();
    AssertEqual(walked, "caob", "Enumerator gives the items in key order");
    AssertEqual(EnumeratorError(new ActiveXObject("Docket.Dictionary")), 0, "an empty dictionary enumerates");
}

ExpectChecks(9);
