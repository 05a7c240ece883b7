// JScript's Enumerator over the dictionary.
// no unload check: Wine 8.0's JScript Enumerator never releases the enumerator it takes.
var d = Server.CreateObject("Docket.Dictionary");
d.Add("b.txt", "b");
d.Add("A.txt", "a");
d.Add("_c.txt", "c");
d.Add("inner", Server.CreateObject("Docket.Dictionary"));

// Enumerator: some engines ask for _NewEnum with a method call only (Wine 8.0's JScript does;
// the platform's own file-system collections cannot answer it there). The component answers.
var walked = "";
for (var e = new Enumerator(d); !e.atEnd(); e.moveNext())
    walked += typeof e.item() === "object" ? "o" : e.item();
AssertEqual(walked, "cabo", "Enumerator gives the items in key order: _c, A, b, inner");
var empty = new Enumerator(Server.CreateObject("Docket.Dictionary"));
AssertTrue(empty.atEnd(), "an empty dictionary enumerates nothing");
ExpectChecks(2);
