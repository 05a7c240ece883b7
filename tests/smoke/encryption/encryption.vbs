' Both methods, their defaults and every failure message. Arguments: the inputs' folder, the phase:
'   files   round trips (the shell compares the bytes afterwards) and the failures of files
'   <fault> the stream-cipher method while the test provider fails at <fault>
Const kException = &H80020009
Dim fm, dir, phase, expectedChecks, method, name, f, c, steps
Set fm = CreateObject("Corvane.FileManager")
dir = WScript.Arguments(0) & "\"
phase = WScript.Arguments(1)

' Encryption ("enc") or decryption ("dec") by the manager; names without a drive are in the folder.
Sub Crypt(direction, inName, ByVal outName, password, kind)
  If InStr(outName, ":") = 0 Then outName = dir & outName
  If direction = "enc" Then fm.EncryptFile dir & inName, outName, password, kind _
                       Else fm.DecryptFile dir & inName, outName, password, kind
End Sub

On Error Resume Next
If phase = "files" Then
  expectedChecks = 35
  For Each method In Array(1, 2)
    ' The shell compares the bytes; a wrong password is not noticed, and gives garbage in *.wrong.
    For Each name In Array("t37", "t4101")
      Crypt "enc", name, name & "." & method & ".enc", "secret", method
      c = Outcome()
      Crypt "dec", name & "." & method & ".enc", name & "." & method & ".dec", "secret", method
      c = c & Outcome()
      Crypt "dec", name & "." & method & ".enc", name & "." & method & ".wrong", "public", method
      Expect name & " by method " & method & ", then with a wrong password", c & Outcome(), "nonenonenone"
    Next
  Next
  ' Defaults: the stream cipher with an empty password; the block cipher's default password.
  fm.EncryptFile dir & "t133", dir & "t133.default1.enc"
  fm.DecryptFile dir & "t133.default1.enc", dir & "t133.default1.dec", "", 1
  ExpectError "stream cipher with the defaults", 0, ""
  Set f = fm.GetFile(dir & "t133")
  f.Encrypt dir & "t133.default2.enc", , 2
  fm.GetFile(dir & "t133.default2.enc").Decrypt dir & "t133.default2.dec", "KKKKKKKKKKKKKKKK", 2
  ExpectError "block cipher with the default password", 0, ""

  Crypt "enc", "t37", "t37.3.enc", "secret", 3
  If Err.Source <> "Corvane.File.1" Or fm.FileExists(dir & "t37.3.enc") Then WScript.Echo "surprise: type 3 " & Err.Source
  ExpectError "type 3", kException, "Encryption type is not Supported."
  f.Decrypt dir & "t133.0.dec", "secret", 0
  ExpectError "type 0", kException, "Encryption type is not Supported."

  For Each method In Array(1, 2)
    For Each c In Array(Array("t37", &H80070020), Array("no\such", &H80070003))  ' the input; a missing folder
      Crypt "enc", "t37", c(0), "secret", method
      ExpectError c(0) & " as the output, encrypting by " & method, c(1), "Error opening Ciphertext file: *"
      Crypt "dec", "t37", c(0), "secret", method
      ExpectError c(0) & " as the output, decrypting by " & method, kException, "Error opening Ciphertext file!"
    Next
  Next

  Crypt "enc", "missing", "missing.enc", "secret", 1
  ExpectError "a missing input", &H80070002, "*"
  ' An input gone since the File was made; a file the system opens but cannot read.
  Set f = fm.GetFile(dir & "gone")
  fm.DeleteFile dir & "gone"
  For Each c In Array(Array(f, "gone", "Error opening Plaintext file!"), _
                      Array(fm.GetFile("Z:\proc\self\mem"), "unreadable", "Error reading Plaintext!"))
    For Each method In Array(1, 2)
      c(0).Encrypt dir & c(1) & "." & method, "secret", method
      ExpectError c(1) & ", encrypting by " & method, kException, c(2)
      c(0).Decrypt dir & c(1) & "." & method, "secret", method
      ExpectError c(1) & ", decrypting by " & method, kException, c(2)
    Next
  Next
  ' Decryption calls two of its writes ciphertext writes: the copy of a short file, and the first
  ' 112 bytes of the last whole chunk before a short tail.
  For Each c In Array("enc t10 1 Ciphertext", "dec t10 1 Ciphertext", "enc t10 2 Ciphertext", _
                      "enc t37 1 Ciphertext", "dec t37 1 Ciphertext", "enc t37 2 Ciphertext", _
                      "dec t10 2 Ciphertext", "dec t133 2 Ciphertext", "dec t37 2 Plaintext", "dec t168 2 Plaintext")
    steps = Split(c)
    Crypt steps(0), steps(1), "Z:\dev\full", "secret", CInt(steps(2))
    ExpectError c & ": a write that fails", kException, "Error writing " & steps(3) & "!" & vbLf
  Next
Else
  ' Input, outputs, then number and text of encryption and of decryption, by the failing step.
  expectedChecks = 2
  c = "Error during Crypt" & Replace(Replace(Replace(phase, "create-hash", "CreateHash"), _
      "hash-data", "HashData"), "derive-key", "DeriveKey") & "!"
  steps = Array("t37", "keep", "keep", kException, c, kException, c)
  Select Case phase
  Case "acquire": steps = Array("t37", "keep", "keep", &H80070005, "Error creating key container: *", _
                                kException, "Error creating key container!")
  Case "cipher", "data-refusal": steps = Array("t37", "t37.fake.enc", "t37.fake.dec", _
                                 kException, "Error during CryptEncrypt!", kException, "Error during CryptDecrypt!")
  Case "closing": steps = Array("t4101", "t4101.fake.enc", "t4101.fake.dec", 0, "", 0, "")  ' refused, yet complete
  End Select
  Crypt "enc", steps(0), steps(1), "secret", 1
  ExpectError phase & ", encrypting", steps(3), steps(4)
  If phase = "closing" Then steps(0) = steps(1)
  Crypt "dec", steps(0), steps(2), "secret", 1
  ExpectError phase & ", decrypting", steps(5), steps(6)
End If
Done expectedChecks
