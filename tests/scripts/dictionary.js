// The Dictionary from JScript: Item as the default member, positions in key order, Keys and Items
// through VBArray, and a failure as JScript sees it (a description without a code of its own
// arrives as E_FAIL).
var d = Server.CreateObject("Docket.Dictionary");
d.Add("b.txt", "b");
d.Add("A.txt", "a");
d.Add("_c.txt", "c");
AssertEqual(d.Item(1) + d("a.TXT") + d.Item(3), "cab", "positions in key order, Item by default");
AssertEqual(new VBArray(d.Keys()).toArray().join(), "_c.txt,A.txt,b.txt", "Keys in key order");
AssertEqual(new VBArray(d.Items()).toArray().join(), "c,a,b", "Items in key order");
d.Remove("B.TXT");
AssertThrows(function () { d.Remove("b.txt"); }, 0x80004005, "Item not found.", "Remove of a missing key");
ExpectChecks(4);
