// INI files through the service: long values and the growing read, numbers through the
// automation conversion and their read buffers, booleans, deletions, and what a write refuses
// before it touches the file.
#include "file_test_support.h"

namespace docket::test {
namespace {

struct IniProfile : ::testing::Test {
  ScratchDir dir;
  ComPtr<IFileManager> manager = NewManager();
  const std::wstring file = dir / L"settings.ini";
  const Bstr fileName{file};

  HRESULT Write(const std::wstring& section, const std::wstring& key, const std::wstring& value) {
    const Bstr s(section), k(key), v(value);
    return manager->INIWriteString(fileName.get(), s.get(), k.get(), v.get());
  }
  std::wstring Read(const std::wstring& section, const std::wstring& key,
                    const std::wstring& fallback = L"(default)") {
    const Bstr s(section), k(key), d(fallback);
    Bstr value;
    EXPECT_EQ(manager->INIReadString(fileName.get(), s.get(), k.get(), d.get(), value.put()), S_OK);
    return std::wstring(value.view());
  }
  using NumberRead = HRESULT (STDMETHODCALLTYPE IFileManager::*)(BSTR, BSTR, BSTR, LONG, LONG*);
  LONG ReadNumber(NumberRead method, const std::wstring& key, LONG fallback) {
    const Bstr s(L"s"), k(key);
    LONG value = 12345;
    EXPECT_EQ((manager.get()->*method)(fileName.get(), s.get(), k.get(), fallback, &value), S_OK);
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
  // A default grows the read as a value does; a missing file gives it and stays missing.
  EXPECT_EQ(Read(L"s", L"missing", std::wstring(150, L'd')), std::wstring(150, L'd'));
  const Bstr none(dir / L"none.ini"), s(L"s"), k(L"key");
  Bstr value;
  EXPECT_EQ(manager->INIReadString(none.get(), s.get(), k.get(), nullptr, value.put()), S_OK);
  EXPECT_EQ(value.view(), L"");
  EXPECT_FALSE(Exists(dir / L"none.ini"));
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
  // A missing key reads the default's own text, which is a number.
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadInteger, L"missing", 7), 7);
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadBoolean, L"missing", 9), 1);
  const Bstr s(L"s"), k(L"w");
  ASSERT_EQ(manager->INIWriteInteger(fileName.get(), s.get(), k.get(), -5), S_OK);
  EXPECT_EQ(Read(L"s", L"w"), L"-5");
  for (const LONG value : {-1, 0, 2}) {
    ASSERT_EQ(manager->INIWriteBoolean(fileName.get(), s.get(), k.get(), value), S_OK);
    EXPECT_EQ(Read(L"s", L"w"), value ? L"1" : L"0") << value;
  }
}

TEST_F(IniProfile, DeletionsTakeTheKeyOrTheSectionAndNothingElse) {
  for (const wchar_t* section : {L"a", L"b"})
    for (const wchar_t* key : {L"x", L"y"}) ASSERT_EQ(Write(section, key, L"1"), S_OK);
  const Bstr a(L"a"), b(L"b"), x(L"x");
  ASSERT_EQ(manager->INIDeleteKey(fileName.get(), a.get(), x.get()), S_OK);
  EXPECT_EQ(Read(L"a", L"x"), L"(default)");
  // A null key is an empty name, never "no key": the section stays.
  ASSERT_EQ(manager->INIDeleteKey(fileName.get(), a.get(), nullptr), S_OK);
  EXPECT_EQ(Read(L"a", L"y"), L"1");
  ASSERT_EQ(manager->INIDeleteSection(fileName.get(), b.get()), S_OK);
  EXPECT_EQ(Read(L"b", L"y"), L"(default)");
  EXPECT_EQ(Read(L"a", L"y"), L"1");
  EXPECT_EQ(manager->INIDeleteSection(fileName.get(), b.get()), S_OK) << "nothing to delete";
}

TEST_F(IniProfile, WritesRefuseWhatWouldLandElsewhereBeforeTouchingTheFile) {
  // Each refused text, cut at its NUL or with the character the code page lacks turned into
  // "?", names an entry that exists.
  ASSERT_EQ(Write(L"s", L"k", L"kept"), S_OK);
  ASSERT_EQ(Write(L"s", L"k?", L"kept"), S_OK);
  const std::string before = ReadBytes(file);
  const std::wstring nulKey(L"k\0x", 3), nulSection(L"s\0x", 3), cjkKey(L"k\u4e00");
  EXPECT_TRUE(IsSystemError(Write(L"s", nulKey, L"v"), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", L"k", std::wstring(L"v\0x", 3)), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", cjkKey, L"v"), ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_TRUE(IsSystemError(Write(L"s", L"k", L"\u4e00"), ERROR_NO_UNICODE_TRANSLATION));
  const Bstr s(L"s"), badSection(nulSection), badKey(cjkKey);
  EXPECT_TRUE(IsSystemError(manager->INIDeleteSection(fileName.get(), badSection.get()),
                            ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(manager->INIDeleteKey(fileName.get(), s.get(), badKey.get()),
                            ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_EQ(ReadBytes(file), before);

  // An empty name is no file: refused as the platform refuses to open one, before the profile
  // functions could pick a file of their own. Too long a name is refused by reads too.
  const Bstr empty(L""), tooLong(dir / std::wstring(260, L'x')), noFolder(dir / L"no\\a.ini");
  EXPECT_TRUE(IsSystemError(manager->INIDeleteSection(empty.get(), s.get()), ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(IsSystemError(manager->INIWriteInteger(noFolder.get(), s.get(), s.get(), 1),
                            ERROR_PATH_NOT_FOUND));
  Bstr value;
  EXPECT_TRUE(
      IsSystemError(manager->INIReadString(tooLong.get(), s.get(), s.get(), s.get(), value.put()),
                    ERROR_FILENAME_EXCED_RANGE));
  EXPECT_EQ(manager->INIReadBoolean(fileName.get(), s.get(), s.get(), 1, nullptr), E_POINTER);
}

// The platform widens every text into a string that counts its bytes in 16 bits: a section, key,
// value or default of 32,767 characters or more cannot be given to it (Wine went on with garbage
// and crashed some calls later), so reads and writes refuse one before the platform sees it.
TEST_F(IniProfile, TextsThePlatformCannotWidenAreRefused) {
  const std::wstring longest(32766, L'v'), tooLong(32767, L'v');
  ASSERT_EQ(Write(L"s", L"k", longest), S_OK);
  EXPECT_EQ(Read(L"s", L"k"), longest);
  const std::string before = ReadBytes(file);
  EXPECT_TRUE(IsSystemError(Write(tooLong, L"k", L"v"), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", tooLong, L"v"), ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(Write(L"s", L"k", tooLong), ERROR_INVALID_PARAMETER));
  const Bstr s(L"s"), k(L"k"), longText(tooLong);
  EXPECT_TRUE(IsSystemError(manager->INIDeleteKey(fileName.get(), s.get(), longText.get()),
                            ERROR_INVALID_PARAMETER));
  EXPECT_EQ(ReadBytes(file), before);
  Bstr value;
  EXPECT_TRUE(IsSystemError(
      manager->INIReadString(fileName.get(), s.get(), k.get(), longText.get(), value.put()),
      ERROR_INVALID_PARAMETER));
  LONG number = 0;
  EXPECT_TRUE(IsSystemError(
      manager->INIReadInteger(fileName.get(), longText.get(), k.get(), 0, &number),
      ERROR_INVALID_PARAMETER));
}

}  // namespace
}  // namespace docket::test
