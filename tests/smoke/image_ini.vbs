' Image sizes and INI files from Wine's own cscript. The images are the committed samples of the
' image probe's fuzz target; the INI file goes into the scratch folder. Prints the surprises only,
' then "done". Arguments: a scratch folder, the examples folder.
Option Explicit
Dim fm, images, ini, width
Set fm = CreateObject("Corvane.FileManager")
images = fm.BuildPath(fm.GetParentFolderName(WScript.ScriptFullName), "..\fuzz\corpus\image_header")

Sub Expect(name, actual, expected)
  If actual <> expected Then WScript.Echo "surprise: " & name & " gave " & actual
End Sub

' Width x height x colours.
Sub ExpectImage(name, expected)
  Dim f
  Set f = fm.GetFile(fm.BuildPath(images, name))
  Expect name, f.ImageWidth & "x" & f.ImageHeight & "x" & f.ImageColor, expected
End Sub
ExpectImage "gif89a_5x4_8.gif", "5x4x8"
ExpectImage "bmp24_3x2.bmp", "3x2x16777216"
ExpectImage "png_greyalpha8_3x2.png", "3x2x65536"
ExpectImage "jpeg_progressive_rgb_24x16.jpg", "24x16x16777216"
ExpectImage "jpeg_arithmetic_rgb_8x8.jpg", "0x0x0"
On Error Resume Next
width = fm.GetFile(fm.BuildPath(images, "text.txt")).ImageWidth
Expect "text.txt", Err.Description, "Can't determine the file's type"
On Error GoTo 0

' Every INI member, the defaults left out.
ini = fm.BuildPath(WScript.Arguments(0), "smoke.ini")
fm.INIWriteString ini, "s", "text", "value"
fm.INIWriteInteger ini, "s", "number", -5
fm.INIWriteBoolean ini, "s", "flag", -1
Expect "INIReadString", fm.INIReadString(ini, "s", "text"), "value"
Expect "INIReadString missing", fm.INIReadString(ini, "s", "none"), ""
Expect "INIReadInteger", fm.INIReadInteger(ini, "s", "number"), -5
Expect "INIReadInteger no number", fm.INIReadInteger(ini, "s", "text"), -1
Expect "INIReadBoolean", fm.INIReadBoolean(ini, "s", "flag"), 1
Expect "INIReadBoolean no number", fm.INIReadBoolean(ini, "s", "text", 9), 9
fm.INIDeleteKey ini, "s", "text"
Expect "INIDeleteKey", fm.INIReadString(ini, "s", "text", "gone"), "gone"
fm.INIDeleteSection ini, "s"
Expect "INIDeleteSection", fm.INIReadInteger(ini, "s", "number", 7), 7
WScript.Echo "done"
