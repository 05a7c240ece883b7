' The Dictionary as a page author uses it from VBScript: adding, reading by key and by position,
' For Each, replacing, the errors a page sees, objects as items, and the members that do nothing.
Option Explicit
On Error Resume Next

Const kException = &H80020009
Dim d, item, walked, i, source, manager, copy, text, counter

Set d = Server.CreateObject("Docket.Dictionary")
AssertError 0, Empty, "created by program identifier"
source = "Docket.Dictionary.1"

' Key order folds only A to Z: underscore first, then letters without regard to case.
d.Add "readme", "R"
d.Add "Apple", "A"
d.Add "banana", "B"
d.Add "_first", "U"
AssertEqual d.Count, 4, "Count after four adds"
AssertEqual d(1), "U", "position 1 is the underscore key"
AssertEqual d.Item(2), "A", "position 2"
AssertEqual d(CByte(3)), "B", "a Byte is a position"
AssertEqual d(CInt(4)), "R", "an Integer is a position"
AssertEqual d("README"), "R", "keys compare without case"

walked = ""
For Each item In d
    walked = walked & item
Next
AssertEqual walked, "UABR", "For Each gives the items in key order"

walked = ""
For i = 1 To d.Count
    walked = walked & d.Item(i)
Next
AssertEqual walked, "UABR", "a position loop gives the same order"

' Add keeps the first item; assignment replaces or adds.
d.Add "APPLE", "second"
AssertEqual d("apple"), "A", "a duplicate Add keeps the first item"
AssertEqual d.Count, 4, "a duplicate Add adds nothing"
d("apple") = "replaced"
AssertEqual d("Apple"), "replaced", "assignment replaces the item"
d("cherry") = "C"
AssertEqual d.Count, 5, "assignment under a new key adds"

' The errors a page sees.
item = d(0)
AssertError kException, "Index out of range.", "position 0"
item = d(d.Count + 1)
AssertError kException, "Index out of range.", "position Count + 1"
item = d(1.5)
AssertError kException, "Type not supported.", "a fractional position"
item = d(Null)
AssertError kException, "Type not supported.", "Null"
item = d("durian")
source = Err.Source
AssertError kException, "Item not found.", "an unknown key"
AssertEqual source, "Docket.Dictionary.1", "errors name the dictionary as their source"
d.Add 7, "seven"
AssertError kException, "Key must be a string.", "a number is not a key"
d(Empty) = "nothing"
AssertError kException, "Key must be a string.", "Empty is not a key"
AssertEqual d.Count, 5, "refused keys add nothing"
d.Add CStr(7), "seven"
AssertEqual d("7"), "seven", "a number made text is a key"

' Objects are held by reference; reading one gives the same object. A script variable reaches
' Add as the variable itself, and Add leaves it alone (a loop counter given as the item goes on
' counting).
Set manager = CreateObject("Corvane.FileManager")
d.Add "manager", manager
AssertTrue IsObject(manager), "Add leaves the variable it was given"
Set copy = d("manager")
AssertTrue copy Is manager, "an object item is the same object"
Set manager = Nothing
Set copy = Nothing
AssertEqual TypeName(d("manager")), "IFileManager", "the dictionary keeps its object alive"
counter = 1
d.Add "counter", counter
AssertEqual counter, 1, "a number given as the item stays in its variable"
text = "kept"
d("assigned") = text
AssertEqual text, "kept", "assignment leaves the variable alone"

' The members that do nothing: they succeed and change nothing.
Set d("manager") = Nothing
AssertEqual TypeName(d("manager")), "IFileManager", "Set on an item does nothing"
d.Remove "apple"
d.RemoveAll
d.Key("apple") = "pear"
d.CompareMode = 1
AssertError 0, Empty, "Remove, RemoveAll, Key and CompareMode succeed"
AssertEqual d.Count, 9, "and remove or rename nothing"
AssertEqual d("apple"), "replaced", "the entry is untouched"
AssertTrue IsEmpty(d.Items()), "Items gives nothing"
AssertTrue IsEmpty(d.Keys()), "Keys gives nothing"
AssertEqual d.Exists("apple"), False, "Exists answers nothing"

' A fresh dictionary enumerates nothing.
walked = 0
For Each item In CreateObject("Docket.Dictionary")
    walked = walked + 1
Next
AssertEqual walked, 0, "an empty dictionary enumerates nothing"

ExpectChecks 36
