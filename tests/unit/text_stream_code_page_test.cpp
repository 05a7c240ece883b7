// Text streams in a code page the caller names: UTF-8 with and without a mark, other installed
// code pages, and numbers that name none. Decoding is tested natively, and every plane both ways
// through a script and Python by tests/smoke/utf8_round_trip.test.sh; these tests hold the file
// around it: the mark, the read-ahead buffer, writes and appends.
// The system code page as a double-byte one is at the end: that test runs in a prefix whose
// system code page is 932 (tests/unit/system_code_page_932.test.sh) and skips elsewhere.
#include "stream_test_support.h"

namespace docket::test {
namespace {

constexpr LONG kUtf8 = 65001;

// `text` is `count` letters a and then `tail` (a failure shows what follows the letters, not
// thousands of them).
::testing::AssertionResult IsLettersThen(const std::wstring& text, size_t count, const std::wstring& tail) {
  const size_t letters = std::min(text.find_first_not_of(L'a'), text.size());
  if (letters == count && text.substr(letters) == tail) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << letters << " letters, then \"" << text.substr(letters) << "\"";
}

class CodePageStreamTest : public TextFileTest {
 protected:
  std::wstring ReadAllOf(const std::string& content, LONG format) {
    return ReadAll(Open(content, ForReading, format).get());
  }
  static std::wstring Read(ITextStream* stream, LONG count) {
    Bstr text;
    EXPECT_EQ(stream->Read(count, text.put()), S_OK);
    return std::wstring(text.view());
  }
};

TEST_F(CodePageStreamTest, Utf8PassesAMarkOnlyAtTheStart) {
  struct Case {
    const char* name;
    std::string content;
    std::wstring text;
  } cases[] = {
      {"marked", "\xEF\xBB\xBF" "ab", L"ab"},
      {"unmarked", "ab", L"ab"},
      {"a mark in the middle is a character", "a\xEF\xBB\xBF" "b", L"a\xFEFF" L"b"},
      {"a second mark is a character", "\xEF\xBB\xBF\xEF\xBB\xBF", L"\xFEFF"},
      {"part of a mark", "\xEF\xBB", L"\xFFFD"},
  };
  for (const Case& c : cases) EXPECT_EQ(ReadAllOf(c.content, kUtf8), c.text) << c.name;

  EXPECT_TRUE(AtEnd(Open("", ForReading, kUtf8).get())) << "looking for a mark found the end of an empty file";
}

TEST_F(CodePageStreamTest, Utf8WritingKeepsTheMarkAndAppendingAddsAfterTheText) {
  auto writer = Open("\xEF\xBB\xBF" "abcdef", ForWriting, kUtf8);
  EXPECT_EQ(writer->Write(Bstr(L"\x00E9").get()), S_OK);
  writer->Close();
  EXPECT_EQ(ReadBytes(file_), "\xEF\xBB\xBF\xC3\xA9" "cdef") << "after the mark, no truncation";

  auto appender = OpenExisting(ForAppending, kUtf8);
  EXPECT_EQ(appender->WriteLine(Bstr(L"\x4E2D").get()), S_OK);
  EXPECT_EQ(appender->Write(Bstr(std::wstring(L"\xD83D" L"x\xDE00", 3)).get()), S_OK);
  appender->Close();
  EXPECT_EQ(ReadBytes(file_), "\xEF\xBB\xBF\xC3\xA9" "cdef\xE4\xB8\xAD\r\n\xEF\xBF\xBDx\xEF\xBF\xBD")
      << "appended as it is, unpaired surrogates as U+FFFD";
}

// The read-ahead buffer holds 65,536 bytes and ReadAll takes 65,536 units at a time; lines are
// read 128 units at a time. A character across any of those edges comes back whole.
TEST_F(CodePageStreamTest, Utf8CharactersAcrossChunkAndReadAheadEdgesComeBackWhole) {
  for (const std::wstring character : {L"\x4E2D", L"\xD83D\xDE00"}) {
    const std::string bytes = BytesIn(CP_UTF8, character);
    for (size_t before : {127u, 128u, 65534u, 65535u}) {
      const std::string line(before, 'a');
      auto stream = Open(line + bytes + "\r\n" + bytes, ForReading, kUtf8);
      EXPECT_TRUE(IsLettersThen(ReadLine(stream.get()), before, character))
          << bytes.size() << " bytes after " << before;
      EXPECT_EQ(ReadAll(stream.get()), character);
      stream->Close();
      EXPECT_TRUE(IsLettersThen(ReadAllOf(line + bytes, kUtf8), before, character)) << "ReadAll " << before;
    }
  }
}

TEST_F(CodePageStreamTest, OtherInstalledCodePagesReadAndWriteTheirOwnBytes) {
  // Cyrillic in 1251; Japanese in 932 on a system that does not use it, a lead byte at the end
  // of the first 128-byte chunk, its trail byte one that could also lead (82 9F).
  EXPECT_EQ(ReadAllOf("\xCF\xF0\xE8\xE2\xE5\xF2", 1251), L"\x041F\x0440\x0438\x0432\x0435\x0442");
  const std::string a127(127, 'a');
  auto stream = Open(a127 + "\x82\x9F\x82\xA2\r\n\x82\xA4", ForReading, 932);
  EXPECT_TRUE(IsLettersThen(ReadLine(stream.get()), 127, L"\x3041\x3044"));
  EXPECT_EQ(Read(stream.get(), 1), L"\x3046") << "counted in characters, not bytes";
  stream->Close();
  EXPECT_EQ(ReadAllOf("a\x82", 932).size(), 2u) << "a lead byte that ends the file is a character too";

  auto writer = Open("", ForWriting, 932);
  EXPECT_EQ(writer->WriteLine(Bstr(L"\x3042" L"b").get()), S_OK);
  writer->Close();
  EXPECT_EQ(ReadBytes(file_), "\x82\xA0" "b\r\n");
  auto ebcdic = Open("", ForWriting, 37);
  EXPECT_EQ(ebcdic->WriteLine(Bstr(L"A").get()), S_OK);
  ebcdic->Close();
  EXPECT_EQ(ReadBytes(file_), "\xC1\x0D\x25") << "the code page's own CR and LF";
}

TEST_F(CodePageStreamTest, NumbersThatNameNoStreamableCodePageAskTheFileLikeTheDefault) {
  // Not installed, UTF-16 (no code page to the platform), UTF-7 (installed, but a shift state
  // runs across characters), a number that selects a code page only in other calls.
  for (LONG format : {12345L, 1200L, 65000L, 3L, -5L}) {
    EXPECT_EQ(ReadAllOf(std::string("\xFF\xFEh\0", 4), format), L"h") << format;
    EXPECT_EQ(ReadAllOf("\xC3\xA9", format), L"\x00C3\x00A9") << format << " reads the system code page";
  }
}

// With 932 as the system code page, Format 0 and -2 read bytes as before, but a lead byte at the
// end of a 128-byte chunk or of the 65,536-byte read-ahead takes its trail byte along.
TEST_F(CodePageStreamTest, SystemDoubleByteCodePageKeepsLeadAndTrailBytesTogether) {
  if (::GetACP() != 932) GTEST_SKIP() << "needs 932 as the system code page";
  for (LONG format : {static_cast<LONG>(TristateFalse), static_cast<LONG>(TristateUseDefault)}) {
    for (size_t before : {127u, 65535u}) {
      const std::string a(before, 'a');
      auto stream = Open(a + "\x82\xA0\x82\xA2\r\n\x82\xA4", ForReading, format);
      EXPECT_TRUE(IsLettersThen(ReadLine(stream.get()), before, L"\x3042\x3044"))
          << format << " after " << before;
      EXPECT_EQ(ReadAll(stream.get()), L"\x3046");
      stream->Close();
      EXPECT_TRUE(IsLettersThen(ReadAllOf(a + "\x82\xA0" "b", format), before, L"\x3042" L"b"))
          << "ReadAll " << format << " after " << before;
    }
  }
  auto stream = Open("\x82\xA0" "bc", ForReading, TristateFalse);
  EXPECT_EQ(Read(stream.get(), 2), L"\x3042") << "Read still counts bytes in the system code page";
  EXPECT_EQ(Read(stream.get(), 1), L"b");
}

}  // namespace
}  // namespace docket::test
