// TextStream on real files: encodings and byte-order marks, writes, characters the code page
// lacks, NUL, Close, and what the service passes on. The line and counter logic itself is tested
// natively; access by mode is the binary stream's.
#include "stream_test_support.h"

namespace docket::test {
namespace {

class TextStreamTest : public TextFileTest {};

TEST_F(TextStreamTest, CreateWritesAMarkOnlyForUnicodeAndTextInTheChosenEncoding) {
  const std::wstring text = L"\x00E9\x20AC";  // e acute and the euro sign
  ComPtr<ITextStream> stream;
  ASSERT_EQ(manager_->CreateTextFile(Bstr(file_).get(), VARIANT_TRUE, VARIANT_TRUE, stream.put()), S_OK);
  EXPECT_EQ(stream->WriteLine(Bstr(text).get()), S_OK);
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), std::string("\xFF\xFE\xE9\x00\xAC\x20\r\x00\n\x00", 10));

  ASSERT_EQ(manager_->CreateTextFile(Bstr(file_).get(), VARIANT_TRUE, VARIANT_FALSE, stream.put()), S_OK);
  EXPECT_EQ(stream->Write(Bstr(text).get()), S_OK);
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), BytesIn(CP_ACP, text)) << "no mark; the first text written comes first";
}

TEST_F(TextStreamTest, FormatDecidesTheEncoding) {
  struct Case {
    const char* name;
    std::string content;
    LONG format;
    std::wstring expected;
  } cases[] = {
      {"marked file, format from the file", std::string("\xFF\xFEh\0i\0", 6), TristateUseDefault, L"hi"},
      {"marked file, Unicode asked", std::string("\xFF\xFEh\0i\0", 6), TristateTrue, L"hi"},
      {"unmarked Unicode loses its first character", std::string("h\0i\0", 4), TristateTrue, L"i"},
      {"Unicode beyond the code page", std::string("\xFF\xFE\xB1\x03\xB2\x03", 6), TristateUseDefault,
       L"\x03B1\x03B2"},
      {"NUL in code-page text", std::string("a\0b", 3), TristateFalse, std::wstring(L"a\0b", 3)},
      {"plain file, format from the file", "hi", TristateUseDefault, L"hi"},
      {"one-byte file is code-page text", "\xFF", TristateUseDefault, std::wstring(1, L'\x00FF')},
      {"other values ask the file like the default", std::string("\xFF\xFEh\0", 4), 7, L"h"},
      {"Unicode of odd length ends in a replacement", std::string("\xFF\xFEh\0i", 5), TristateTrue,
       L"h\xFFFD"},
  };
  for (const Case& c : cases) {
    auto stream = Open(c.content, ForReading, c.format);
    EXPECT_EQ(ReadAll(stream.get()), c.expected) << c.name;
    stream->Close();
  }
}

TEST_F(TextStreamTest, AnEmptyFileIsAtItsEndAtOnceOnlyWhenItsFormatWasProbed) {
  auto plain = Open("", ForReading, TristateFalse);
  EXPECT_FALSE(AtEnd(plain.get()));
  EXPECT_EQ(ReadLine(plain.get()), L"");
  EXPECT_TRUE(AtEnd(plain.get()));
  plain->Close();
  EXPECT_TRUE(AtEnd(Open("", ForReading, TristateUseDefault).get()));
}

TEST_F(TextStreamTest, UnicodeWritingGoesAfterTheMarkAndAppendingPassesNone) {
  auto writer = Open(std::string("\xFF\xFE" "a\0b\0", 6), ForWriting, TristateTrue);
  EXPECT_EQ(writer->Write(Bstr(L"c").get()), S_OK);
  writer->Close();
  EXPECT_EQ(ReadBytes(file_), std::string("\xFF\xFE" "c\0b\0", 6)) << "after the mark, no truncation";

  auto appender = OpenExisting(ForAppending, TristateTrue);
  EXPECT_EQ(appender->Write(Bstr(L"z").get()), S_OK);
  appender->Close();
  EXPECT_EQ(ReadBytes(file_), std::string("\xFF\xFE" "c\0b\0z\0", 8)) << "appending passes no mark";
}

TEST_F(TextStreamTest, WritesOfLineEndsAndOfNothing) {
  auto stream = Open("", ForWriting);
  EXPECT_EQ(CallByName(stream.get(), L"WriteLine", DISPATCH_METHOD, {}).hr, S_OK) << "no argument";
  EXPECT_EQ(stream->WriteBlankLines(3), S_OK);
  EXPECT_EQ(stream->WriteBlankLines(0), S_OK);
  EXPECT_EQ(stream->WriteBlankLines(-2), S_OK);
  EXPECT_EQ(stream->Write(Bstr(std::wstring(L"x\0y", 3)).get()), S_OK) << "NUL is written as it is";
  LONG line = 0, column = 0;
  stream->get_Line(&line);
  stream->get_Column(&column);
  EXPECT_EQ(line, 1) << "writes count nothing";
  EXPECT_EQ(column, 1);
  stream->Close();
  EXPECT_EQ(ReadBytes(file_), std::string("\r\n\r\n\r\n\r\nx\0y", 11));
  EXPECT_EQ(stream->Write(Bstr(L"").get()), S_OK) << "nothing to write needs no file";
  EXPECT_EQ(stream->WriteBlankLines(0), S_OK);
}

TEST_F(TextStreamTest, SkipCountsCharactersOfTwoBytesInUnicode) {
  auto stream = Open(std::string("\xFF\xFE" "a\0b\0c\0d\0", 10), ForReading, TristateTrue);
  Bstr text;
  EXPECT_EQ(stream->Read(3, text.put()), S_OK);
  EXPECT_EQ(stream->Skip(-2), S_OK);
  EXPECT_EQ(stream->Read(1, text.put()), S_OK);
  EXPECT_EQ(text.view(), L"b");
  EXPECT_EQ(stream->Skip(1), S_OK);
  EXPECT_EQ(stream->Read(5, text.put()), S_OK);
  EXPECT_EQ(text.view(), L"d");
}

TEST_F(TextStreamTest, AfterCloseOnlyThePendingTextCanBeRead) {
  auto stream = Open("ab\r\ncd");
  EXPECT_EQ(ReadLine(stream.get()), L"ab");
  EXPECT_EQ(stream->Close(), S_OK);
  Bstr text;
  EXPECT_EQ(stream->Read(1, text.put()), S_OK);
  EXPECT_EQ(text.view(), L"c");
  EXPECT_EQ(stream->ReadLine(text.put()), Win32Code(ERROR_INVALID_HANDLE));
  EXPECT_EQ(TakeError().source, L"Docket.BinaryStream.1") << "reported by the stream beneath";
  EXPECT_TRUE(IsSystemError(stream->ReadAll(text.put()), ERROR_INVALID_HANDLE)) << "ReadAll";
  VARIANT_BOOL endOfLine = 0;
  EXPECT_EQ(stream->get_AtEndOfLine(&endOfLine), S_OK) << "never reports a failure";
  EXPECT_EQ(endOfLine, VARIANT_TRUE);
  EXPECT_FALSE(TakeError().present);
}

// As a script calls them (a refusal to overwrite is the argument sweep's).
TEST_F(TextStreamTest, OpeningPassesTheCallersArgumentsAndDefaults) {
  IDispatch* manager = manager_.get();
  WriteBytes(file_, "old");
  Variant stream;
  EXPECT_EQ(CallByName(manager, L"CreateTextFile", DISPATCH_METHOD, {VBstr(file_.c_str())}, stream.put()).hr,
            S_OK);
  stream.put();  // closed
  EXPECT_EQ(ReadBytes(file_), "") << "overwrites by default";

  const std::wstring missing = dir_ / L"missing.txt";
  EXPECT_EQ(CallByName(manager, L"OpenTextFile", DISPATCH_METHOD, {VBstr(missing.c_str()), VI4(ForAppending)}).scode,
            Win32Code(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(Exists(missing)) << "appending without Create creates nothing";
  EXPECT_EQ(CallByName(manager, L"OpenTextFile", DISPATCH_METHOD,
                       {VBstr(missing.c_str()), VI4(ForWriting), VBool(true), VI4(TristateTrue)}, stream.put())
                .hr,
            S_OK);
  stream.put();
  EXPECT_EQ(ReadBytes(missing), "\xFF\xFE") << "a new Unicode file begins with the mark";
}

}  // namespace
}  // namespace docket::test
