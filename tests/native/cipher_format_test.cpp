// The block-cipher file format: key text, the block and tail rules, independence from the size of
// the pieces, and what a failed read or write leaves and says.
#include "crypto/block_file_cipher.h"
#include "crypto/chunked_reader.h"
#include "crypto/key_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace docket::crypto;
using Bytes = std::vector<std::uint8_t>;

constexpr size_t kChunk = BlockFileCipher::kChunkBytes;

TEST(KeyText, DigitsComeFromCodeUnitsAndRepeatToThirtyTwo) {
  const struct {
    const char* name;
    std::u16string password;
    const char* keyText;
  } cases[] = {
      {"hex digits stand for themselves", u"0123456789abcdef", "0123456789abcdef0123456789abcdef"},
      {"capitals are code units mod 16", u"ABCDEF", "12345612345612345612345612345612"},
      {"mixed case", u"aB", "a2a2a2a2a2a2a2a2a2a2a2a2a2a2a2a2"},
      {"z and space", u"z ", "a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0a0"},
      {"code units beyond ASCII", u"\u00e9\u20ac", "9c9c9c9c9c9c9c9c9c9c9c9c9c9c9c9c"},
      {"only the first 32 units count", u"0123456789abcdef0123456789abcdefXYZ", "0123456789abcdef0123456789abcdef"},
      {"empty means the default password", u"", "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"},
  };
  for (const auto& c : cases) EXPECT_EQ(KeyText(c.password), c.keyText) << c.name;
}

TEST(KeyText, OnlyTheFirstSixteenDigitsMakeTheKey) {
  EXPECT_NE(KeyFromText(KeyText(u"abcdef")), KeyFromText(KeyText(u"ABCDEF"))) << "case of a-f matters";
  const std::u16string first16 = u"secret-password!";
  EXPECT_NE(KeyText(first16 + u"one"), KeyText(first16 + u"two"));
  EXPECT_EQ(KeyFromText(KeyText(first16 + u"one")), KeyFromText(KeyText(first16 + u"two")));
  TwofishKey sevens;
  sevens.fill(7);
  EXPECT_EQ(KeyFromText(KeyText(u"7")), sevens) << "one character, sixteen equal bytes";
  TwofishKey elevens;
  elevens.fill(11);
  EXPECT_EQ(KeyFromText(KeyText(u"")), elevens);
}

// Runs the format over `input` in pieces of `piece` bytes (0: all at once).
Bytes RunFormat(const Twofish& cipher, CipherDirection direction, const Bytes& input, size_t piece) {
  BlockFileCipher format(cipher, direction);
  Bytes out(input.size() + BlockFileCipher::kMaxHeldBytes);
  size_t written = 0;
  for (size_t at = 0; at < input.size();) {
    const size_t size = piece == 0 ? input.size() : std::min(piece, input.size() - at);
    written += format.Update(input.data() + at, size, out.data() + written);
    at += size;
  }
  written += format.Finish(out.data() + written);
  out.resize(written);
  return out;
}

Bytes Sample(size_t size) {
  Bytes bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 131 + 7);
  return bytes;
}

const Twofish& TestCipher() {
  static const Twofish cipher(KeyFromText(KeyText(u"secret")));
  return cipher;
}

// The fuzz target holds the output against the rules written out for the whole input; here, the
// lengths where the rules change.
TEST(BlockFileCipher, EveryLengthRoundTripsToTheSameBytesWhateverThePieces) {
  for (size_t length : {0, 1, 15, 16, 17, 31, 32, 37, 127, 128, 129, 133, 168, 255, 256, 4096 + 5}) {
    const Bytes plain = Sample(length);
    const Bytes expected = RunFormat(TestCipher(), CipherDirection::kEncrypt, plain, 0);
    EXPECT_EQ(expected.size(), length);
    for (size_t piece : {1, 7, 100, 128, 129, 300}) {
      const Bytes cipher = RunFormat(TestCipher(), CipherDirection::kEncrypt, plain, piece);
      ASSERT_EQ(cipher, expected) << "length " << length << ", pieces of " << piece;
      EXPECT_EQ(RunFormat(TestCipher(), CipherDirection::kDecrypt, cipher, piece), plain)
          << "length " << length << ", pieces of " << piece;
    }
  }
}

TEST(BlockFileCipher, ShortFilesStayAsTheyAreAndTheTailBorrowsFromTheLastBlock) {
  const Bytes ten = Sample(10);
  EXPECT_EQ(RunFormat(TestCipher(), CipherDirection::kEncrypt, ten, 0), ten);
  EXPECT_EQ(RunFormat(TestCipher(), CipherDirection::kDecrypt, ten, 0), ten);

  // 37 bytes: E(P1), E(tail XOR Q + rest of Q), then the first 5 bytes of Q = E(P2).
  const Bytes plain = Sample(37);
  const Bytes cipher = RunFormat(TestCipher(), CipherDirection::kEncrypt, plain, 0);
  std::uint8_t first[16], q[16], mixed[16];
  TestCipher().EncryptBlocks(plain.data(), 1, first);
  TestCipher().EncryptBlocks(plain.data() + 16, 1, q);
  TestCipher().DecryptBlocks(cipher.data() + 16, 1, mixed);
  EXPECT_EQ(std::memcmp(cipher.data(), first, 16), 0);
  EXPECT_EQ(std::memcmp(cipher.data() + 32, q, 5), 0);
  for (size_t j = 0; j < 16; ++j)
    EXPECT_EQ(mixed[j], j < 5 ? plain[32 + j] ^ q[j] : q[j]) << "byte " << j << " of the mixed block";
}

TEST(BlockFileCipher, DecryptionNamesTwoOfItsWritesAsCiphertextWrites) {
  const struct {
    std::uint64_t length, failedAt;
    bool namesCiphertext;
  } cases[] = {
      {10, 0, true},         {15, 9, true},       // the copy of a short file
      {37, 0, false},        {128, 0, false},     // one chunk or less, 16 bytes or more
      {133, 0, true},        {133, 111, true},    // the first 112 bytes of the chunk before a short tail
      {133, 112, false},     {144, 0, false},     // ... but not its last block, nor a tail of 16
      {1157, 1023, false},   {1157, 1024, true},  // the last full chunk, not the ones before it
      {1157, 1135, true},    {1157, 1136, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(DecryptionWriteNamesCiphertext(c.length, c.failedAt), c.namesCiphertext)
        << c.length << " bytes, failed at " << c.failedAt;
  BlockFileCipher encrypting(TestCipher(), CipherDirection::kEncrypt);
  EXPECT_TRUE(encrypting.FailedWriteNamesCiphertext(5)) << "encryption writes ciphertext";
}

// A file that gives at most `most` bytes per read and cannot be read across byte `bad`.
struct FlakyFile {
  Bytes data;
  std::uint64_t bad = ~0ull;
  std::uint32_t most = ~0u;
  std::uint64_t position = 0;
  std::uint32_t Read(std::uint8_t* dest, std::uint32_t size, std::uint32_t* got) {
    const std::uint64_t end = std::min<std::uint64_t>(position + std::min(size, most), data.size());
    if (position <= bad && bad < position + size && bad < data.size()) return 23;  // a bad sector
    *got = static_cast<std::uint32_t>(end - position);
    std::memcpy(dest, data.data() + position, *got);
    position = end;
    return 0;
  }
  std::uint32_t Seek(std::uint64_t to) {
    position = to;
    return 0;
  }
};

TEST(ChunkedReader, AFailedLargeReadDeliversTheChunksBeforeTheFailureFirst) {
  FlakyFile file{Sample(10 * kChunk + 50), 5 * kChunk + 3};
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

  FlakyFile pipe{Sample(1000), ~0ull, 100};  // short reads are not the end
  ChunkedReader<FlakyFile> pipeReader(pipe, kChunk);
  Bytes all;
  for (got = 1; got != 0;) {
    ASSERT_EQ(pipeReader.Read(buffer, sizeof buffer, &got), 0u);
    all.insert(all.end(), buffer, buffer + got);
  }
  EXPECT_EQ(all, pipe.data);
}

TEST(ChunkedReader, WhatIsWrittenBeforeAFailedReadDoesNotDependOnTheReadSize) {
  // Chunk 6 cannot be read: readers of single chunks have settled chunks 0 to 4 by then.
  const Bytes plain = Sample(10 * kChunk);
  for (std::uint32_t pieceChunks : {1, 3, 8}) {
    FlakyFile file{plain, 6 * kChunk + 10};
    ChunkedReader<FlakyFile> reader(file, kChunk);
    BlockFileCipher format(TestCipher(), CipherDirection::kEncrypt);
    Bytes piece(pieceChunks * kChunk), out;
    std::uint32_t got = 0;
    while (reader.Read(piece.data(), static_cast<std::uint32_t>(piece.size()), &got) == 0) {
      ASSERT_NE(got, 0u) << "the failure never came";
      Bytes settled(got + BlockFileCipher::kMaxHeldBytes);
      settled.resize(format.Update(piece.data(), got, settled.data()));
      out.insert(out.end(), settled.begin(), settled.end());
    }
    const Bytes whole = RunFormat(TestCipher(), CipherDirection::kEncrypt, plain, 0);
    EXPECT_EQ(out, Bytes(whole.begin(), whole.begin() + 5 * kChunk)) << pieceChunks << " chunks per read";
  }
}

}  // namespace
