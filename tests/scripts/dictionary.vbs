' The Dictionary as a page author uses it from VBScript: For Each and position loops, the default
' member, assignment, the errors a page sees, objects as items, and the members that scripts
' written for other dictionaries use (Exists, Keys, Items, Remove, Key, CompareMode, HashVal).
Option Explicit
On Error Resume Next

Const kException = &H80020009
Dim d, item, walked, source, manager, copy, counter, key, keys

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
Set manager = CreateObject("Corvane.FileManager")
d.Add "manager", manager
Set copy = d("manager")
AssertTrue copy Is manager, "an object item is the same object, and the variable keeps it"
Set manager = Nothing
Set copy = Nothing
AssertEqual TypeName(d("manager")), "IFileManager", "the dictionary keeps its object alive"
counter = 1
d.Add "counter", counter
AssertEqual counter, 1, "a number given as the item stays in its variable"

Set d = Server.CreateObject("Docket.Dictionary")
d.Add "b", "B"
d.Add "a", "A"
d.Add "C", "c"
AssertTrue d.Exists("A"), "Exists ignores the case of A to Z"
keys = d.Keys
AssertEqual UBound(keys) & keys(0), "2a", "Keys is a 0-based array in key order"
walked = ""
For Each key In d.Keys
    walked = walked & key & d(key)
    d.Remove key
Next
AssertEqual walked & d.Count, "aAbBCc0", "For Each over Keys walks the copy taken when it began"
d.Remove "a"
AssertError kException, "Item not found.", "Remove of a missing key"

d("x") = 1
d.Key("X") = "y"
AssertEqual d.Exists("x") & d("y"), "False1", "Key renames an entry"
Set d("fm") = CreateObject("Corvane.FileManager")
walked = ""
For Each item In d.Items
    walked = walked & TypeName(item)
Next
AssertEqual walked, "IFileManagerInteger", "Set stores an object; Items in key order"
AssertTrue d.HashVal("KEY") = d.HashVal("key"), "equal keys have equal hash values"
d.CompareMode = vbBinaryCompare
AssertError kException, "CompareMode can be set only while the dictionary is empty.", "CompareMode of a filled dictionary"
d.RemoveAll
d.CompareMode = vbBinaryCompare
d.Add "k", 1
d.Add "K", 2
AssertEqual d.CompareMode & d.Count & d("K"), "022", "BinaryCompare keeps keys of other case apart"

ExpectChecks 19
