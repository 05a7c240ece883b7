// TextStream on real files (line logic and decoding are tested natively and by utf8_round_trip).
#include "stream_test_support.h"

#include <tuple>

namespace docket::test {
namespace {

constexpr LONG kUtf8 = 65001;

struct TextStreamTest : ManagerTest {
  std::wstring file_ = dir / L"text.txt";

  ComPtr<ITextStream> Open(const std::string& content, IOMode mode = ForReading, LONG format = TristateFalse) {
    WriteBytes(file_, content);
    ComPtr<ITextStream> stream;
    EXPECT_EQ(manager->OpenTextFile(Bstr(file_).get(), mode, VARIANT_FALSE, Tristate(format), stream.put()), S_OK);
    return stream;
  }
  static std::wstring ReadAll(ITextStream* stream) { return TextOf(stream, &ITextStream::ReadAll); }
  static std::wstring ReadLine(ITextStream* stream) { return TextOf(stream, &ITextStream::ReadLine); }
  std::wstring ReadAllOf(const std::string& content, LONG format) {
    return ReadAll(Open(content, ForReading, format).get());
  }
  static std::wstring Read(ITextStream* stream, LONG count) {
    Bstr text;
    return stream->Read(count, text.put()) == S_OK ? std::wstring(text.view()) : L"<failed>";
  }
  // One character's `bytes` after 127, 128, 65,534 and 65,535 letters come back whole.
  void ExpectWholeAfterLetters(LONG format, const std::string& bytes, const std::wstring& text) {
    for (size_t before : {127u, 128u, 65534u, 65535u}) {
      const std::string letters(before, 'a');
      const std::wstring expected = std::wstring(before, L'a') + text;
      auto stream = Open(letters + bytes + "\r\n" + bytes, ForReading, format);
      EXPECT_TRUE(ReadLine(stream.get()) == expected && ReadAll(stream.get()) == text) << format << " " << before;
      stream->Close();
      EXPECT_TRUE(ReadAllOf(letters + bytes, format) == expected) << "ReadAll " << format << " " << before;
    }
  }
  // Writes `text` by `write` to a new file opened in `mode` and `format`; the bytes that result.
  std::string Written(const std::string& before, IOMode mode, LONG format, const std::wstring& text,
                      HRESULT (STDMETHODCALLTYPE ITextStream::*write)(BSTR) = &ITextStream::Write) {
    auto stream = Open(before, mode, format);
    EXPECT_TRUE((stream.get()->*write)(Bstr(text).get()) == S_OK && stream->Close() == S_OK);
    return ReadBytes(file_);
  }
};

TEST_F(TextStreamTest, CreateWritesAMarkOnlyForUnicode) {
  ComPtr<ITextStream> stream;
  for (VARIANT_BOOL unicode : {VARIANT_TRUE, VARIANT_FALSE}) {
    ASSERT_EQ(manager->CreateTextFile(Bstr(file_).get(), VARIANT_TRUE, unicode, stream.put()), S_OK);
    EXPECT_TRUE(stream->WriteLine(Bstr(L"\x00E9\x20AC").get()) == S_OK && stream->Close() == S_OK);
    EXPECT_EQ(ReadBytes(file_), unicode ? std::string("\xFF\xFE\xE9\x00\xAC\x20\r\x00\n\x00", 10) : "\xE9\x80\r\n");
  }
}

TEST_F(TextStreamTest, FormatDecidesTheEncoding) {
  const std::string marked("\xFF\xFEh\0i\0", 6);
  const std::tuple<std::string, LONG, std::wstring> cases[] = {
      {marked, TristateTrue, L"hi"}, {"hi", TristateUseDefault, L"hi"},
      {marked.substr(2), TristateTrue, L"i"},  // unmarked Unicode loses its first character
      {"\xFF\xFE\xB1\x03\xB2\x03", TristateUseDefault, L"\x03B1\x03B2"},
      {std::string("a\0b", 3), TristateFalse, std::wstring(L"a\0b", 3)},
      {"\xFF", TristateUseDefault, L"\x00FF"},  // one byte is code-page text
      {marked.substr(0, 5), TristateTrue, L"h\xFFFD"},
      // UTF-8 passes a mark only at the start.
      {"\xEF\xBB", kUtf8, L"\xFFFD"},
      {"a\xEF\xBB\xBF" "b", kUtf8, L"a\xFEFF" L"b"}, {"\xEF\xBB\xBF\xEF\xBB\xBF", kUtf8, L"\xFEFF"},
      {"\xCF\xF0\xE8\xE2\xE5\xF2", 1251, L"\x041F\x0440\x0438\x0432\x0435\x0442"},
  };
  for (const auto& [content, format, expected] : cases)
    EXPECT_EQ(ReadAllOf(content, format), expected) << format << ", " << content.size() << " bytes";
  // Not installed, UTF-16, UTF-7 (its shift state spans characters), other numbers: all ask the file.
  for (LONG format : {7L, 12345L, 1200L, 65000L, 3L, -5L})
    EXPECT_TRUE(ReadAllOf(marked.substr(0, 4), format) == L"h" && ReadAllOf("\xC3\xA9", format) == L"\x00C3\x00A9")
        << format;
}

TEST_F(TextStreamTest, AnEmptyFileIsAtItsEndAtOnceOnlyWhenItsFormatWasProbed) {
  auto plain = Open("", ForReading, TristateFalse);
  EXPECT_FALSE(AtEnd(plain.get()));
  EXPECT_TRUE(ReadLine(plain.get()).empty() && AtEnd(plain.get()) && plain->Close() == S_OK);
  EXPECT_TRUE(AtEnd(Open("", ForReading, TristateUseDefault).get()));
}

TEST_F(TextStreamTest, WritingGoesAfterTheMarkAndAppendingPassesNone) {
  EXPECT_EQ(Written(std::string("\xFF\xFE" "a\0b\0", 6), ForWriting, TristateTrue, L"c"),
            std::string("\xFF\xFE" "c\0b\0", 6)) << "after the mark, no truncation";
  EXPECT_EQ(Written(ReadBytes(file_), ForAppending, TristateTrue, L"z"), std::string("\xFF\xFE" "c\0b\0z\0", 8));
  EXPECT_EQ(Written("\xEF\xBB\xBF" "abcdef", ForWriting, kUtf8, L"\x00E9"), "\xEF\xBB\xBF\xC3\xA9" "cdef");
  EXPECT_EQ(Written(ReadBytes(file_), ForAppending, kUtf8, std::wstring(L"\x4E2D\xD83D" L"x\xDE00", 4)),
            "\xEF\xBB\xBF\xC3\xA9" "cdef\xE4\xB8\xAD\xEF\xBF\xBDx\xEF\xBF\xBD") << "unpaired surrogates as U+FFFD";
  // Installed code pages write their own bytes, EBCDIC its own CR and LF.
  EXPECT_EQ(Written("", ForWriting, 932, L"\x3042" L"b", &ITextStream::WriteLine), "\x82\xA0" "b\r\n");
  EXPECT_EQ(Written("", ForWriting, 37, L"A", &ITextStream::WriteLine), "\xC1\x0D\x25");
}

TEST_F(TextStreamTest, WritesOfLineEndsAndOfNothing) {
  auto stream = Open("", ForWriting);
  EXPECT_EQ(CallByName(stream.get(), L"WriteLine", DISPATCH_METHOD, {}).hr, S_OK) << "no argument";
  for (LONG lines : {3, 0, -2}) EXPECT_EQ(stream->WriteBlankLines(lines), S_OK);
  EXPECT_EQ(stream->Write(Bstr(std::wstring(L"x\0y", 3)).get()), S_OK) << "NUL is written as it is";
  LONG line = 0, column = 0;  // writes count nothing
  EXPECT_TRUE(stream->get_Line(&line) == S_OK && stream->get_Column(&column) == S_OK && line == 1 && column == 1);
  EXPECT_TRUE(stream->Close() == S_OK && ReadBytes(file_) == std::string("\r\n\r\n\r\n\r\nx\0y", 11));
  EXPECT_TRUE(stream->Write(Bstr(L"").get()) == S_OK && stream->WriteBlankLines(0) == S_OK) << "nothing needs no file";
}

TEST_F(TextStreamTest, SkipCountsCharactersOfTwoBytesInUnicode) {
  auto stream = Open(std::string("\xFF\xFE" "a\0b\0c\0d\0", 10), ForReading, TristateTrue);
  EXPECT_EQ(Read(stream.get(), 3), L"abc");
  EXPECT_TRUE(stream->Skip(-2) == S_OK && Read(stream.get(), 1) == L"b");
  EXPECT_TRUE(stream->Skip(1) == S_OK && Read(stream.get(), 5) == L"d");
}

TEST_F(TextStreamTest, AfterCloseOnlyThePendingTextCanBeRead) {
  auto stream = Open("ab\r\ncd");
  EXPECT_TRUE(ReadLine(stream.get()) == L"ab" && stream->Close() == S_OK);
  EXPECT_EQ(Read(stream.get(), 1), L"c");
  Bstr text;
  EXPECT_EQ(stream->ReadLine(text.put()), Win32Code(ERROR_INVALID_HANDLE));
  EXPECT_EQ(TakeError().source, L"Docket.BinaryStream.1") << "reported by the stream beneath";
  EXPECT_TRUE(IsSystemError(stream->ReadAll(text.put()), ERROR_INVALID_HANDLE)) << "ReadAll";
  VARIANT_BOOL endOfLine = 0;  // never reports a failure
  EXPECT_TRUE(stream->get_AtEndOfLine(&endOfLine) == S_OK && endOfLine == VARIANT_TRUE && !TakeError().present);
}

// As a script calls them (defaults and refusals to overwrite are the argument sweep's).
TEST_F(TextStreamTest, OpeningPassesTheCallersArguments) {
  const std::wstring missing = dir / L"missing.txt";
  EXPECT_EQ(CallByName(manager.get(), L"OpenTextFile", DISPATCH_METHOD, {VBstr(missing.c_str()), VI4(ForAppending)})
                .scode, Win32Code(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Exists(missing)) << "appending without Create creates nothing";
  EXPECT_EQ(CallByName(manager.get(), L"OpenTextFile", DISPATCH_METHOD,
                       {VBstr(missing.c_str()), VI4(ForWriting), VBool(true), VI4(TristateTrue)}).hr, S_OK);
  EXPECT_EQ(ReadBytes(missing), "\xFF\xFE") << "a new Unicode file begins with the mark";
}

// Lines are read 128 units at a time, ReadAll 65,536 through a 65,536-byte read-ahead. In 932,
// 82 9F's trail byte could also lead.
TEST_F(TextStreamTest, CharactersAcrossChunkAndReadAheadEdgesComeBackWhole) {
  ExpectWholeAfterLetters(kUtf8, "\xE4\xB8\xAD", L"\x4E2D");
  ExpectWholeAfterLetters(kUtf8, "\xF0\x9F\x98\x80", L"\xD83D\xDE00");
  ExpectWholeAfterLetters(932, "\x82\x9F", L"\x3041");
  auto stream = Open("\x82\xA2\x82\xA4", ForReading, 932);
  EXPECT_TRUE(Read(stream.get(), 1) == L"\x3044" && stream->Close() == S_OK) << "counted in characters, not bytes";
  EXPECT_EQ(ReadAllOf("a\x82", 932).size(), 2u) << "a lead byte that ends the file is a character too";
}

// With 932 as the system code page, Format 0 and -2 keep a lead byte with its trail byte too.
TEST_F(TextStreamTest, SystemDoubleByteCodePageKeepsLeadAndTrailBytesTogether) {
  if (::GetACP() != 932) GTEST_SKIP() << "needs 932 as the system code page";
  ExpectWholeAfterLetters(TristateFalse, "\x82\xA0", L"\x3042");
  ExpectWholeAfterLetters(TristateUseDefault, "\x82\xA0", L"\x3042");
  auto stream = Open("\x82\xA0" "bc", ForReading, TristateFalse);
  EXPECT_TRUE(Read(stream.get(), 2) == L"\x3042" && Read(stream.get(), 1) == L"b") << "Read counts bytes here";
}

}  // namespace
}  // namespace docket::test
