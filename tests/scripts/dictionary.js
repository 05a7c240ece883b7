// The Dictionary as a page author uses it from JScript: numbers arrive as 32-bit integers or
// doubles, and objects by value (enumeration through Enumerator is in enumerator.js).
// The dictionary reports its messages without a code of their own (DISP_E_EXCEPTION); JScript
// gives such an exception the number E_FAIL and keeps the description.
var kException = 0x80004005;
var d = Server.CreateObject("Docket.Dictionary");
d.Add("b.txt", "b");
d.Add("A.txt", "a");
d.Add("_c.txt", "c");

AssertEqual(d.Item(1) + d.Item(3), "cb", "positions follow the key order");
AssertEqual(d("a.TXT"), "a", "Item is the default member");
AssertThrows(function () { return d.Item(1.5); }, kException, "Type not supported.", "a fractional position");
AssertThrows(function () { return d.Item(2147483648); }, kException, "Type not supported.",
             "a position beyond 32 bits is a double");

var inner = Server.CreateObject("Docket.Dictionary");
inner.Add("x", 1);
d.Add("inner", inner);
AssertEqual(d.Item("inner").Item("x"), 1, "an object item stays callable");

// Keys and Items are arrays of variants: JScript reads them through VBArray.
AssertEqual(new VBArray(d.Keys()).toArray().join(), "_c.txt,A.txt,b.txt,inner", "Keys in key order");
AssertEqual(new VBArray(d.Items()).toArray().length, 4, "Items, one per entry");
d.Remove("INNER");
AssertThrows(function () { d.Remove("inner"); }, kException, "Item not found.", "Remove of a missing key");
AssertTrue(d.Exists("b.TXT") && !d.Exists("inner"), "Exists");

ExpectChecks(9);
