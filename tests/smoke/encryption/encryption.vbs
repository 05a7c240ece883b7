' File encryption through Wine's own cscript, as a page author calls it: both methods, their
' defaults and every failure message. Prints the surprises only, then "done".
' Usage: cscript encryption.vbs <folder of inputs> <phase>
'   files   round trips (the shell compares the bytes afterwards) and the failures of files
'   <fault> the stream-cipher method while the test provider fails at <fault>
Option Explicit
Dim fm, dir, phase, checks, expectedChecks, method, name, f
Set fm = CreateObject("Corvane.FileManager")
dir = WScript.Arguments(0) & "\"
phase = WScript.Arguments(1)
checks = 0
Const kException = &H80020009
Const kNoError = 0

' After a call made under On Error Resume Next: the error it left must be (number, text). A text
' that ends in "*" is a lead-in, which the system's own text must follow.
Sub Expect(what, number, text)
  Dim ok
  checks = checks + 1
  ok = Err.Description = text
  If Right(text, 1) = "*" Then ok = Left(Err.Description, Len(text) - 1) & "*" = text And Len(Err.Description) >= Len(text)
  If Err.Number <> number Or Not ok Then
    WScript.Echo "surprise: " & what & " gave " & Hex(Err.Number) & " """ & Err.Description & """"
  End If
  Err.Clear
End Sub

Sub Check(what, condition)
  checks = checks + 1
  If Not condition Then WScript.Echo "surprise: " & what
End Sub

' One encryption ("enc") or decryption ("dec") by the service, of names in the folder.
Sub Crypt(direction, inName, outName, password, kind)
  If direction = "enc" Then fm.EncryptFile dir & inName, dir & outName, password, kind _
                       Else fm.DecryptFile dir & inName, dir & outName, password, kind
End Sub

On Error Resume Next
Select Case phase
Case "files"
  expectedChecks = 42
  ' Round trips in both methods; the shell compares every *.dec with its input.
  For Each method In Array(1, 2)
    For Each name In Array("t37", "t4101")
      Crypt "enc", name, name & "." & method & ".enc", "secret", method
      Expect name & " encrypted by method " & method, kNoError, ""
      Crypt "dec", name & "." & method & ".enc", name & "." & method & ".dec", "secret", method
      Expect name & " decrypted by method " & method, kNoError, ""
    Next
  Next
  ' Defaults: the stream cipher with an empty password; the block cipher's default password.
  fm.EncryptFile dir & "t133", dir & "t133.default1.enc"
  fm.DecryptFile dir & "t133.default1.enc", dir & "t133.default1.dec", "", 1
  Expect "stream cipher with the defaults", kNoError, ""
  Set f = fm.GetFile(dir & "t133")
  f.Encrypt dir & "t133.default2.enc", , 2
  fm.GetFile(dir & "t133.default2.enc").Decrypt dir & "t133.default2.dec", "KKKKKKKKKKKKKKKK", 2
  Expect "block cipher with the default password", kNoError, ""
  ' A wrong password is not noticed: the shell finds garbage in *.wrong.
  Crypt "dec", "t4101.1.enc", "t4101.1.wrong", "Secret", 1
  Crypt "dec", "t4101.2.enc", "t4101.2.wrong", "Secret", 2
  Expect "decryption with a wrong password", kNoError, ""

  Crypt "enc", "t37", "t37.3.enc", "secret", 3
  Check "errors come from the File", Err.Source = "Corvane.File.1"
  Expect "type 3", kException, "Encryption type is not Supported."
  Check "type 3 leaves no output", Not fm.FileExists(dir & "t37.3.enc")
  f.Decrypt dir & "t133.0.dec", "secret", 0
  Expect "type 0", kException, "Encryption type is not Supported."

  For Each method In Array(1, 2)
    Crypt "enc", "t37", "t37", "secret", method
    Expect "output = input, encrypting by " & method, &H80070020, "Error opening Ciphertext file: *"
    Crypt "dec", "t37", "t37", "secret", method
    Expect "output = input, decrypting by " & method, kException, "Error opening Ciphertext file!"
    Crypt "enc", "t37", "no\such.enc", "secret", method
    Expect "output in a missing folder, encrypting", &H80070003, "Error opening Ciphertext file: *"
    Crypt "dec", "t37", "no\such.dec", "secret", method
    Expect "output in a missing folder, decrypting", kException, "Error opening Ciphertext file!"
  Next

  Crypt "enc", "missing", "missing.enc", "secret", 1
  Expect "a missing input", &H80070002, "*"
  Set f = fm.GetFile(dir & "gone")
  fm.DeleteFile dir & "gone"
  For Each method In Array(1, 2)
    f.Encrypt dir & "gone.enc", "secret", method
    Expect "an input gone since, encrypting by " & method, kException, "Error opening Plaintext file!"
    f.Decrypt dir & "gone.dec", "secret", method
    Expect "an input gone since, decrypting by " & method, kException, "Error opening Plaintext file!"
  Next

  ' A file the system opens but cannot read, and a device that takes no byte.
  Set f = fm.GetFile("Z:\proc\self\mem")
  For Each method In Array(1, 2)
    f.Encrypt dir & "unreadable." & method, "secret", method
    Expect "a read that fails, encrypting by " & method, kException, "Error reading Plaintext!"
    f.Decrypt dir & "unreadable." & method, "secret", method
    Expect "a read that fails, decrypting by " & method, kException, "Error reading Plaintext!"
  Next
  For Each name In Array("t10", "t37")
    fm.EncryptFile dir & name, "Z:\dev\full", "secret", 1
    Expect name & ": a write that fails, encrypting by 1", kException, "Error writing Ciphertext!" & vbLf
    fm.DecryptFile dir & name, "Z:\dev\full", "secret", 1
    Expect name & ": a write that fails, decrypting by 1", kException, "Error writing Ciphertext!" & vbLf
    fm.EncryptFile dir & name, "Z:\dev\full", "secret", 2
    Expect name & ": a write that fails, encrypting by 2", kException, "Error writing Ciphertext!" & vbLf
  Next
  ' Decryption calls two of its writes ciphertext writes: the copy of a short file, and the first
  ' 112 bytes of the last whole chunk before a short tail.
  For Each name In Array("t10", "t133")
    fm.DecryptFile dir & name, "Z:\dev\full", "secret", 2
    Expect name & ": a write that fails, decrypting by 2", kException, "Error writing Ciphertext!" & vbLf
  Next
  For Each name In Array("t37", "t168")
    fm.DecryptFile dir & name, "Z:\dev\full", "secret", 2
    Expect name & ": a write that fails, decrypting by 2", kException, "Error writing Plaintext!" & vbLf
  Next

Case "acquire"
  expectedChecks = 2
  Crypt "enc", "t37", "keep", "secret", 1
  Expect "no provider, encrypting", &H80070005, "Error creating key container: *"
  Crypt "dec", "t37", "keep", "secret", 1
  Expect "no provider, decrypting", kException, "Error creating key container!"
Case "create-hash", "hash-data", "derive-key"
  expectedChecks = 2
  Dim stepMessage
  stepMessage = "Error during Crypt" & Replace(Replace(Replace(phase, "create-hash", "CreateHash"), _
                "hash-data", "HashData"), "derive-key", "DeriveKey") & "!"
  Crypt "enc", "t37", "keep", "secret", 1
  Expect phase & " fails, encrypting", kException, stepMessage
  Crypt "dec", "t37", "keep", "secret", 1
  Expect phase & " fails, decrypting", kException, stepMessage
Case "cipher", "data-refusal"
  expectedChecks = 2
  Crypt "enc", "t37", "t37.fake.enc", "secret", 1
  Expect phase & ", encrypting", kException, "Error during CryptEncrypt!"
  Crypt "dec", "t37", "t37.fake.dec", "secret", 1
  Expect phase & ", decrypting", kException, "Error during CryptDecrypt!"
Case "closing"
  ' The refused closing call ends a complete file: success, and the shell checks the bytes.
  expectedChecks = 2
  Crypt "enc", "t4101", "t4101.fake.enc", "secret", 1
  Expect "closing call refused, encrypting", kNoError, ""
  Crypt "dec", "t4101.fake.enc", "t4101.fake.dec", "secret", 1
  Expect "closing call refused, decrypting", kNoError, ""
Case Else
  WScript.Echo "surprise: unknown phase " & phase
End Select

If checks <> expectedChecks Then WScript.Echo "surprise: " & checks & " checks ran, not " & expectedChecks
WScript.Echo "done"
