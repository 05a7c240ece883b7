' Every Dictionary member, as a script written for another dictionary uses it.
Dim d, k, walked, a
Set d = CreateObject("Docket.Dictionary")

d.Add "readme", "R"
d.Add "Apple", "A"
d("banana") = "B"
Expect "Count, Item by key and by position", d.Count & d.Item("README") & d(1), "3RA"
Expect "Exists", d.Exists("APPLE") & d.Exists("cherry"), "TrueFalse"
a = d.Keys
Expect "Keys", LBound(a) & UBound(a) & a(0) & a(2), "02Applereadme"
a = d.Items
Expect "Items", a(0) & a(1) & a(2), "ABR"
For Each k In d.Keys
  walked = walked & k & ","
  d.Remove k
Next
Expect "For Each over Keys while removing", walked & d.Count, "Apple,banana,readme,0"

On Error Resume Next
d.Remove "Apple"
Expect "Remove of a missing key", Outcome(), "80020009 Item not found."
d("x") = 1
d("z") = 3
d.Key("X") = "y"
Expect "Key renames", Outcome() & d.Exists("x") & d(1) & d(2), "noneFalse13"
d.Key("y") = "Z"
Expect "Key onto another key", Outcome() & d("y"), "80020009 Another item already has the new key.1"
d.Key("q") = "r"
Expect "Key of a missing key", Outcome(), "80020009 Item not found."
Set d("self") = CreateObject("Docket.Dictionary")
Expect "Set stores an object", Outcome() & TypeName(d("self")), "noneIDictionary"
Expect "HashVal", d.HashVal("Key") = d.HashVal("KEY"), True
Expect "CompareMode", d.CompareMode, vbTextCompare
d.CompareMode = vbBinaryCompare
Expect "CompareMode of a filled dictionary", Outcome(), "80020009 CompareMode can be set only while the dictionary is empty."
d.RemoveAll
Expect "RemoveAll", d.Count, 0
d.CompareMode = vbDatabaseCompare
Expect "CompareMode DatabaseCompare", Outcome(), "80020009 CompareMode must be BinaryCompare (0) or TextCompare (1)."
d.CompareMode = vbBinaryCompare
d.Add "k", 1
d.Add "K", 2
a = d.Keys
Expect "BinaryCompare", Outcome() & d.CompareMode & a(0) & a(1) & d.Exists("k") & d.Exists("k "), "none0KkTrueFalse"
Done 16
