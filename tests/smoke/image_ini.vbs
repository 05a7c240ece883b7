' Image sizes (the image probe's fuzz seeds) and every INI member.
Dim fm, images, ini, c, width
Set fm = CreateObject("Corvane.FileManager")
images = WScript.Arguments(1) & "\..\tests\fuzz\corpus\image_header\"

' Width x height x colours.
For Each c In Array("gif89a_5x4_8.gif 5x4x8", "bmp24_3x2.bmp 3x2x16777216", "png_greyalpha8_3x2.png 3x2x65536", _
                    "jpeg_progressive_rgb_24x16.jpg 24x16x16777216", "jpeg_arithmetic_rgb_8x8.jpg 0x0x0")
  c = Split(c)
  With fm.GetFile(images & c(0))
    Expect c(0), .ImageWidth & "x" & .ImageHeight & "x" & .ImageColor, c(1)
  End With
Next
On Error Resume Next
width = fm.GetFile(images & "text.txt").ImageWidth
ExpectError "text.txt", &H80020009, "Can't determine the file's type"
On Error GoTo 0

ini = fm.BuildPath(WScript.Arguments(0), "smoke.ini")
fm.INIWriteString ini, "s", "text", "value"
fm.INIWriteInteger ini, "s", "number", -5
fm.INIWriteBoolean ini, "s", "flag", -1
Expect "INIReadString", fm.INIReadString(ini, "s", "text") & "|" & fm.INIReadString(ini, "s", "none"), "value|"
Expect "INIReadInteger", fm.INIReadInteger(ini, "s", "number") & " " & fm.INIReadInteger(ini, "s", "text"), "-5 -1"
Expect "INIReadBoolean", fm.INIReadBoolean(ini, "s", "flag") & " " & fm.INIReadBoolean(ini, "s", "text", 9), "1 9"
fm.INIDeleteKey ini, "s", "text"
Expect "INIDeleteKey", fm.INIReadString(ini, "s", "text", "gone"), "gone"
fm.INIDeleteSection ini, "s"
Expect "INIDeleteSection", fm.INIReadInteger(ini, "s", "number", 7), 7
Done 11
