// INI files through the service: long values and the growing read, numbers through the
// automation conversion, deletions, and what a write refuses before it touches the file. (Every
// member's everyday use is in tests/smoke/image_ini.vbs; hostile arguments are the sweep's.)
#include "file_test_support.h"

namespace docket::test {
namespace {

struct IniProfile : ManagerTest {
  const std::wstring file = dir / L"settings.ini";
  const Bstr fileName{file}, s{L"s"};

  HRESULT Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    return manager->INIWriteString(fileName.get(), Bstr(section).get(), Bstr(key).get(), Bstr(value).get());
  }
  std::wstring Read(const std::wstring& section, const std::wstring& key,
                    const std::wstring& fallback = L"(default)") {
    Bstr value;
    EXPECT_EQ(manager->INIReadString(fileName.get(), Bstr(section).get(), Bstr(key).get(),
                                     Bstr(fallback).get(), value.put()), S_OK);
    return std::wstring(value.view());
  }
  using NumberRead = HRESULT (STDMETHODCALLTYPE IFileManager::*)(BSTR, BSTR, BSTR, LONG, LONG*);
  LONG ReadNumber(NumberRead method, const std::wstring& key, LONG fallback) {
    LONG value = 12345;
    EXPECT_EQ((manager.get()->*method)(fileName.get(), s.get(), Bstr(key).get(), fallback, &value), S_OK);
    return value;
  }
};

TEST_F(IniProfile, StringsOfEveryLengthComeBackWholeUpToTheLargestRead) {
  const struct {
    size_t length, read;
  } cases[] = {{0, 0},       {99, 99},         {100, 100},        {150, 150},
               {1000, 1000}, {999999, 999999}, {1000000, 999999}, {1200000, 999999}};
  for (const auto& c : cases) {
    std::string value(c.length, 'v');
    for (size_t i = 0; i < value.size(); i += 97) value[i] = '0' + i % 10;  // no repeating block
    // Wine's write keeps only the low 16 bits of a value's length in UTF-16 bytes, so the long
    // values go into the file directly.
    if (c.length < 32768) {
      ASSERT_EQ(Write(L"s", L"key", std::wstring(value.begin(), value.end())), S_OK);
    } else {
      WriteBytes(file, "[s]\r\nkey=" + value + "\r\n");
    }
    const std::wstring read = Read(L"s", L"key");
    EXPECT_EQ(read.size(), c.read) << c.length << " characters";
    EXPECT_TRUE(read == std::wstring(value.begin(), value.begin() + c.read)) << c.length;
  }
  EXPECT_EQ(Read(L"s", L"missing", std::wstring(150, L'd')), std::wstring(150, L'd'))
      << "a default grows the read as a value does";
  EXPECT_EQ(manager->INIReadString(Bstr(dir / L"none.ini").get(), s.get(), s.get(), nullptr, Bstr().put()), S_OK);
  EXPECT_FALSE(Exists(dir / L"none.ini")) << "a read makes no file";
}

TEST_F(IniProfile, NumbersAreReadThroughTheAutomationConversion) {
  const struct {
    std::wstring text;
    LONG integer, boolean;  // with the defaults 7 and 9
  } cases[] = {
      {L"-12", -12, 1},
      {L"0", 0, 0},
      {L"abc", 7, 9},
      {L"3.7", 4, 1},
      {L"99999999999", 7, 9},
      // An integer reads 254 characters (the zeros and 1234), a boolean 29 (zeros only).
      {std::wstring(250, L'0') + L"12345678", 1234, 0},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Write(L"s", L"v", c.text), S_OK);
    EXPECT_EQ(ReadNumber(&IFileManager::INIReadInteger, L"v", 7), c.integer) << c.text;
    EXPECT_EQ(ReadNumber(&IFileManager::INIReadBoolean, L"v", 9), c.boolean) << c.text;
  }
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadBoolean, L"missing", 9), 1) << "the default's text is read";
  for (const LONG value : {-1, 0, 2}) {
    ASSERT_EQ(manager->INIWriteBoolean(fileName.get(), s.get(), s.get(), value), S_OK);
    EXPECT_EQ(Read(L"s", L"s"), value ? L"1" : L"0") << value;
  }
}

// Deleting keys and sections is the stock-host script's.
TEST_F(IniProfile, ANullKeyIsAnEmptyNameNeverTheWholeSection) {
  ASSERT_EQ(Write(L"s", L"y", L"1"), S_OK);
  ASSERT_EQ(manager->INIDeleteKey(fileName.get(), s.get(), nullptr), S_OK);
  EXPECT_EQ(Read(L"s", L"y"), L"1");
}

// Each refused text, cut at its NUL or with the character the code page lacks turned into "?",
// names an entry that exists. The platform widens every text into a string that counts its bytes
// in 16 bits: one of 32,767 characters or more cannot be given to it (Wine went on with garbage
// and crashed some calls later).
TEST_F(IniProfile, WritesRefuseWhatWouldLandElsewhereBeforeTouchingTheFile) {
  const std::wstring longest(32766, L'v'), tooLong(32767, L'v'), cjkKey(L"k\u4e00");
  ASSERT_EQ(Write(L"s", L"k", longest), S_OK);
  EXPECT_EQ(Read(L"s", L"k"), longest);
  ASSERT_EQ(Write(L"s", L"k?", L"kept"), S_OK);
  const std::string before = ReadBytes(file);
  EXPECT_TRUE(IsSystemError(Write(L"s", L"k", std::wstring(L"v\0x", 3)), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", cjkKey, L"v"), ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_TRUE(IsSystemError(Write(L"s", L"k", L"\u4e00"), ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_TRUE(IsSystemError(manager->INIDeleteKey(fileName.get(), s.get(), Bstr(cjkKey).get()),
                            ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_TRUE(IsSystemError(Write(tooLong, L"k", L"v"), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", tooLong, L"v"), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", L"k", tooLong), ERROR_INVALID_PARAMETER));
  EXPECT_EQ(ReadBytes(file), before);
  Bstr value;
  EXPECT_TRUE(IsSystemError(manager->INIReadString(fileName.get(), s.get(), s.get(), Bstr(tooLong).get(),
                                                   value.put()), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(manager->INIWriteInteger(Bstr(dir / L"no\\a.ini").get(), s.get(), s.get(), 1),
                            ERROR_PATH_NOT_FOUND));
}

}  // namespace
}  // namespace docket::test
