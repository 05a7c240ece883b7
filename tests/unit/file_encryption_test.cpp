// Encrypt and Decrypt on the byte level: known answers for both methods (the key text's rules are
// tested natively), lengths the stock-host round trips leave out, and refusals that must come
// before any file is touched. The other failures are driven from a stock script host in
// tests/smoke/encryption.test.sh, and an unbound File's refusal in tests/scratch_drive.
#include "file_test_support.h"

#include <numeric>

namespace docket::test {
namespace {

// RC4 written out here, independent of the platform's.
std::string Rc4(const std::string& key, std::string data) {
  unsigned char s[256];
  std::iota(s, s + 256, 0);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) & 255;
    std::swap(s[i], s[j]);
  }
  for (size_t n = 0, i = 0, j = 0; n < data.size(); ++n) {
    i = (i + 1) & 255;
    j = (j + s[i]) & 255;
    std::swap(s[i], s[j]);
    data[n] ^= s[(s[i] + s[j]) & 255];
  }
  return data;
}

std::string FromHex(const char* hex) {
  std::string bytes;
  for (; hex[0] && hex[1]; hex += 2) bytes += static_cast<char>(std::stoi(std::string(hex, 2), nullptr, 16));
  return bytes;
}

std::string Sample(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 131 + 7);
  return bytes;
}

struct FileEncryptionTest : ManagerTest {
  // Encrypts (or decrypts) `input` through the service and returns what it wrote.
  std::string Run(const std::string& input, const std::wstring& password, QFENCTYPE type, bool encrypt = true) {
    WriteBytes(dir / L"in", input);
    const Bstr in(dir / L"in"), out(dir / L"out"), secret(password);
    const HRESULT hr = encrypt ? manager->EncryptFile(in.get(), out.get(), secret.get(), type)
                               : manager->DecryptFile(in.get(), out.get(), secret.get(), type);
    EXPECT_EQ(hr, S_OK) << TakeError().description;
    return ReadBytes(dir / L"out");
  }
};

TEST_F(FileEncryptionTest, StreamCipherIsRc4KeyedByTheMd5DigestOfThePasswordBytes) {
  // Wine answers with the Enhanced provider, whose RC4 key from an MD5 hash is the whole digest,
  // unsalted. (The Base provider, where it answers first, keeps 5 bytes of it.)
  const struct {
    std::wstring password;
    const char* digest;  // MD5 of the password's system code page bytes, up to any NUL
  } cases[] = {
      {L"secret", "5ebe2294ecd0e0f08eab7690d2a6ee69"},
      {std::wstring(L"secret\0tail", 11), "5ebe2294ecd0e0f08eab7690d2a6ee69"},
      {L"", "d41d8cd98f00b204e9800998ecf8427e"},
      {L"caf\u00e9", "961f50f6282239d09e48f812c1ca7276"},  // code page 1252: 63 61 66 e9
  };
  const std::string plain = Sample(600005);  // several of the pieces a file is read in
  EXPECT_EQ(Run("", L"secret", QFRSA), "");
  for (const auto& c : cases) {
    const std::string cipher = Run(plain, c.password, QFRSA);
    EXPECT_EQ(cipher, Rc4(FromHex(c.digest), plain)) << c.digest;
    EXPECT_EQ(Run(cipher, c.password, QFRSA, false), plain) << c.digest;
  }
}

TEST_F(FileEncryptionTest, BlockCipherReproducesTheVectorsAndKeepsEveryLength) {
  // "0" makes the key text of 32 zeros, so the all-zero key of the published vectors.
  const std::string vector = std::string(16, '\0') + FromHex("9F589F5CF6122C32B6BFEC2F2AE8C35A");
  EXPECT_EQ(Run(vector, L"0", QFTWOFISH),
            FromHex("9F589F5CF6122C32B6BFEC2F2AE8C35AD491DB16E7B1C39E86CB086B789F5419"));
  // The native tests take the block format through every length where its rules change; here
  // the files: nothing, less than a block (left as it is), and several pieces.
  for (size_t length : {0, 15, 600005}) {
    const std::string plain = Sample(length), cipher = Run(plain, L"secret", QFTWOFISH);
    EXPECT_EQ(cipher.size(), length);
    EXPECT_EQ(cipher == plain, length < 16) << length;
    EXPECT_EQ(Run(cipher, L"secret", QFTWOFISH, false), plain) << length;
  }
}

TEST_F(FileEncryptionTest, RefusalsComeBeforeAnyFileIsTouched) {
  WriteBytes(dir / L"in", "some plaintext");
  WriteBytes(dir / L"out", "an older output");
  ComPtr<IFile> file = FileAt(dir / L"in");
  const Bstr out(dir / L"out"), secret(L"secret"), tooLong(dir / std::wstring(260, L'x'));
  EXPECT_TRUE(IsSystemError(file->Encrypt(tooLong.get(), secret.get(), QFTWOFISH), ERROR_FILENAME_EXCED_RANGE));
  // Other readers of the stream format keep the password in 1024 bytes with the terminator.
  const Bstr longest(std::wstring(1023, L'p')), beyond(std::wstring(1024, L'p'));
  EXPECT_TRUE(IsSystemError(file->Encrypt(out.get(), beyond.get(), QFRSA), ERROR_INVALID_PARAMETER));
  EXPECT_EQ(ReadBytes(dir / L"out"), "an older output");
  EXPECT_EQ(file->Encrypt(out.get(), longest.get(), QFRSA), S_OK);
}

}  // namespace
}  // namespace docket::test
