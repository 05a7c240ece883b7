// The key text, which failed writes name the ciphertext, and reads that fail part way. The
// format's block and tail rules at every length and cutting are the fuzz target's.
#include "crypto/block_file_cipher.h"
#include "crypto/chunked_reader.h"
#include "crypto/key_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace docket::crypto;
using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kChunk = BlockFileCipher::kChunkBytes;

TEST(KeyText, DigitsComeFromCodeUnitsAndRepeatToThirtyTwo) {
  const struct {
    std::u16string password;
    const char* keyText;
  } cases[] = {
      {u"0123456789abcdef", "0123456789abcdef0123456789abcdef"},
      {u"ABCDEF", "12345612345612345612345612345612"},  // capitals are code units mod 16
      {u"aB", "a2a2a2a2a2a2a2a2a2a2a2a2a2a2a2a2"},
      {u"z ", "a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0"},
      {u"\u00e9\u20ac", "9c9c9c9c9c9c9c9c9c9c9c9c9c9c9c9c"},
      {u"0123456789abcdef0123456789abcdefXYZ", "0123456789abcdef0123456789abcdef"},
      {u"", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"},  // the default password
  };
  for (const auto& c : cases) EXPECT_EQ(KeyText(c.password), c.keyText);
}

TEST(KeyText, OnlyTheFirstSixteenDigitsMakeTheKey) {
  EXPECT_NE(KeyFromText(KeyText(u"abcdef")), KeyFromText(KeyText(u"ABCDEF")));
  EXPECT_EQ(KeyFromText(KeyText(u"secret-password!one")), KeyFromText(KeyText(u"secret-password!two")));
  const TwofishKey key = KeyFromText(KeyText(u"7"));
  EXPECT_EQ(std::count(key.begin(), key.end(), 7), 16) << "one character, sixteen equal bytes";
  EXPECT_EQ(KeyFromText(KeyText(u""))[15], 11);
}

TEST(BlockFileCipher, DecryptionNamesTwoOfItsWritesAsCiphertextWrites) {
  const struct {
    std::uint64_t length, failedAt;
    bool namesCiphertext;
  } cases[] = {
      {10, 0, true},       {15, 9, true},       // the copy of a short file
      {37, 0, false},      {128, 0, false},     // one chunk or less, 16 bytes or more
      {133, 0, true},      {133, 111, true},    // the first 112 bytes of the chunk before a short tail
      {133, 112, false},   {144, 0, false},     // ... but not its last block, nor a tail of 16
      {1157, 1023, false}, {1157, 1024, true},  // the last full chunk, not the ones before it
      {1157, 1135, true},  {1157, 1136, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecryptionWriteNamesCiphertext(c.length, c.failedAt), c.namesCiphertext)
        << c.length << " bytes, failed at " << c.failedAt;
  const Twofish cipher(KeyFromText(KeyText(u"secret")));
  EXPECT_TRUE(BlockFileCipher(cipher, CipherDirection::kEncrypt).FailedWriteNamesCiphertext(5));
}

// A file of 10 chunks that cannot be read across byte `bad`. A large read that fails there is read
// again chunk by chunk, so the format writes what it would for readers of single chunks.
struct FlakyFile {
  std::uint64_t bad = ~0ull;
  Bytes data = [] {
    Bytes bytes(10 * kChunk);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 131 + 7);
    return bytes;
  }();
  std::uint64_t position = 0;
  std::uint32_t Read(std::uint8_t* dest, std::uint32_t size, std::uint32_t* got) {
    if (position <= bad && bad < position + size) {  // a bad sector, where the failed read stops
      position = bad;
      return 23;
    }
    *got = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, data.size() - position));
    std::memcpy(dest, data.data() + position, *got);
    position += *got;
    return 0;
  }
  std::uint32_t Seek(std::uint64_t to) {
    position = to;
    return 0;
  }
};

TEST(ChunkedReader, AFailedLargeReadDeliversTheChunksBeforeTheFailureFirst) {
  FlakyFile file{5 * kChunk + 3};
  ChunkedReader<FlakyFile> reader(file, kChunk);
  std::uint8_t buffer[4 * kChunk];
  std::uint32_t got = 0;
  EXPECT_EQ(reader.Read(buffer, sizeof buffer, &got), 0u);
  EXPECT_EQ(got, 4 * kChunk);
  EXPECT_EQ(reader.Read(buffer, sizeof buffer, &got), 0u);
  EXPECT_EQ(got, kChunk) << "the chunk before the bad one";
  EXPECT_EQ(std::memcmp(buffer, file.data.data() + 4 * kChunk, kChunk), 0);
  EXPECT_EQ(reader.Read(buffer, sizeof buffer, &got), 23u);
  EXPECT_EQ(got, 0u);
}

}  // namespace
