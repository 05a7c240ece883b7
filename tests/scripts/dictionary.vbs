' The Dictionary as a page author uses it from VBScript: For Each and position loops, the default
' member, assignment, the errors a page sees, and objects as items.
Option Explicit
On Error Resume Next

Const kException = &H80020009
Dim d, item, walked, source, manager, copy, counter

Set d = Server.CreateObject("Docket.Dictionary")
d.Add "readme", "R"
d.Add "Apple", "A"
d.Add "banana", "B"
d.Add "_first", "U"
AssertEqual d("README"), "R", "the default member reads by key, without case"
AssertEqual d(CByte(3)), "B", "a Byte is a position"

walked = ""
For Each item In d
    walked = walked & item
Next
AssertEqual walked, "UABR", "For Each gives the items in key order"

d("apple") = "replaced"
d("cherry") = "C"
AssertEqual d("Apple") & d.Count, "replaced5", "assignment replaces or adds"

item = d(d.Count + 1)
AssertError kException, "Index out of range.", "position Count + 1"
item = d("durian")
source = Err.Source
AssertError kException, "Item not found.", "an unknown key"
AssertEqual source, "Docket.Dictionary.1", "errors name the dictionary as their source"

' A script variable reaches Add as the variable itself; Add leaves it alone (a loop counter
' given as the item goes on counting), and an object item is the same object.
Set manager = Server.CreateObject("Corvane.FileManager")
d.Add "manager", manager
Set copy = d("manager")
AssertTrue copy Is manager, "an object item is the same object, and the variable keeps it"
Set manager = Nothing
Set copy = Nothing
AssertEqual TypeName(d("manager")), "IFileManager", "the dictionary keeps its object alive"
counter = 1
d.Add "counter", counter
AssertEqual counter, 1, "a number given as the item stays in its variable"

ExpectChecks 10
