// INI files through the service: long values and the growing read, numbers through the
// automation conversion, booleans, deletions, missing files and sections, and the texts a write
// refuses before it touches the file.
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
    const Bstr s(L"n"), k(key);
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
      ASSERT_EQ(Write(L"text", L"key", std::wstring(value.begin(), value.end())), S_OK);
    } else {
      WriteBytes(file, "[text]\r\nkey=" + value + "\r\n");
    }
    const std::wstring read = Read(L"text", L"key");
    EXPECT_EQ(read.size(), c.read) << c.length << " characters";
    EXPECT_TRUE(read == std::wstring(value.begin(), value.begin() + c.read)) << c.length;
  }
  // A default longer than the first buffer grows the read as a value does.
  EXPECT_EQ(Read(L"text", L"missing", std::wstring(150, L'd')), std::wstring(150, L'd'));
}

TEST_F(IniProfile, MissingFilesSectionsAndKeysGiveTheDefault) {
  ASSERT_EQ(Write(L"s", L"present", L"1"), S_OK);
  EXPECT_EQ(Read(L"s", L"absent"), L"(default)");
  EXPECT_EQ(Read(L"nothere", L"present"), L"(default)");
  const Bstr missing(dir / L"none.ini"), s(L"s"), k(L"present");
  Bstr value;
  LONG number = 0;
  EXPECT_EQ(manager->INIReadString(missing.get(), s.get(), k.get(), nullptr, value.put()), S_OK);
  EXPECT_EQ(value.view(), L"") << "a null default is empty";
  EXPECT_EQ(manager->INIReadInteger(missing.get(), s.get(), k.get(), 7, &number), S_OK);
  EXPECT_EQ(number, 7);
  EXPECT_FALSE(Exists(dir / L"none.ini")) << "reading creates nothing";
  // Names match whatever their case.
  EXPECT_EQ(Read(L"S", L"PRESENT"), L"1");
}

TEST_F(IniProfile, IntegersAreReadThroughTheAutomationConversion) {
  const struct {
    std::wstring text;
    LONG expected;  // with the default 7
  } cases[] = {
      {L"-12", -12},
      {L"abc", 7},
      {L"", 7},
      {L"12abc", 7},
      {L"3.7", 4},
      {L"&H10", 16},
      {L"99999999999", 7},
      // Only the first 254 characters are read: the zeros and 1234, not the digits after.
      {std::wstring(250, L'0') + L"12345678", 1234},
  };
  for (const auto& c : cases) {
    ASSERT_EQ(Write(L"n", L"v", c.text), S_OK);
    EXPECT_EQ(ReadNumber(&IFileManager::INIReadInteger, L"v", 7), c.expected) << c.text;
  }
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadInteger, L"missing", 7), 7);
  const Bstr s(L"n"), k(L"w");
  ASSERT_EQ(manager->INIWriteInteger(fileName.get(), s.get(), k.get(), -5), S_OK);
  EXPECT_EQ(Read(L"n", L"w"), L"-5");
  ASSERT_EQ(manager->INIWriteInteger(fileName.get(), s.get(), k.get(), LONG_MIN), S_OK);
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadInteger, L"w", 7), LONG_MIN);
}

TEST_F(IniProfile, BooleansAreOneOrZeroUnlessTheTextIsNoNumber) {
  const struct {
    const wchar_t* text;
    LONG expected;  // with the default 9
  } cases[] = {{L"0", 0}, {L"5", 1}, {L"-1", 1}, {L"yes", 9}, {L"", 9}};
  for (const auto& c : cases) {
    ASSERT_EQ(Write(L"n", L"b", c.text), S_OK);
    EXPECT_EQ(ReadNumber(&IFileManager::INIReadBoolean, L"b", 9), c.expected) << c.text;
  }
  // A missing key reads the default's own text, which is a number.
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadBoolean, L"missing", 9), 1);
  EXPECT_EQ(ReadNumber(&IFileManager::INIReadBoolean, L"missing", 0), 0);
  const Bstr s(L"n"), k(L"w");
  for (const LONG value : {-1, 0, 2}) {
    ASSERT_EQ(manager->INIWriteBoolean(fileName.get(), s.get(), k.get(), value), S_OK);
    EXPECT_EQ(Read(L"n", L"w"), value ? L"1" : L"0") << value;
  }
}

TEST_F(IniProfile, DeletionsTakeTheKeyOrTheSectionAndNothingElse) {
  for (const wchar_t* section : {L"a", L"b"})
    for (const wchar_t* key : {L"x", L"y"}) ASSERT_EQ(Write(section, key, L"1"), S_OK);
  const Bstr a(L"a"), b(L"b"), x(L"x");
  ASSERT_EQ(manager->INIDeleteKey(fileName.get(), a.get(), x.get()), S_OK);
  EXPECT_EQ(Read(L"a", L"x"), L"(default)");
  EXPECT_EQ(Read(L"a", L"y"), L"1");
  // A null key is an empty name, never "no key": the section stays.
  ASSERT_EQ(manager->INIDeleteKey(fileName.get(), a.get(), nullptr), S_OK);
  EXPECT_EQ(Read(L"a", L"y"), L"1");
  ASSERT_EQ(manager->INIDeleteSection(fileName.get(), b.get()), S_OK);
  EXPECT_EQ(Read(L"b", L"y"), L"(default)");
  EXPECT_EQ(Read(L"a", L"y"), L"1");
  // Deleting what is not there is no failure.
  EXPECT_EQ(manager->INIDeleteSection(fileName.get(), b.get()), S_OK);
  EXPECT_EQ(manager->INIDeleteKey(fileName.get(), a.get(), x.get()), S_OK);
}

TEST_F(IniProfile, WritesRefuseTextsThatWouldLandElsewhereBeforeTouchingTheFile) {
  // Each refused text, cut at its NUL or with its character the code page lacks turned into
  // "?", names an entry that exists.
  ASSERT_EQ(Write(L"s", L"k", L"kept"), S_OK);
  ASSERT_EQ(Write(L"s", L"k?", L"kept"), S_OK);
  const std::string before = ReadBytes(file);
  const std::wstring nulKey(L"k\0x", 3), nulSection(L"s\0x", 3), nulValue(L"v\0x", 3);
  const struct {
    std::wstring section, key, value;
    DWORD error;
  } writes[] = {
      {L"s", nulKey, L"v", ERROR_INVALID_PARAMETER},
      {nulSection, L"k", L"v", ERROR_INVALID_PARAMETER},
      {L"s", L"k", nulValue, ERROR_INVALID_PARAMETER},
      {L"s", L"k\u4e00", L"v", ERROR_NO_UNICODE_TRANSLATION},
      {L"s", L"k", L"\u4e00", ERROR_NO_UNICODE_TRANSLATION},
  };
  for (const auto& w : writes)
    EXPECT_TRUE(IsSystemError(Write(w.section, w.key, w.value), w.error));
  const Bstr s(L"s"), badKey(nulKey), lossyKey(L"k\u4e00"), badSection(nulSection);
  EXPECT_TRUE(IsSystemError(manager->INIDeleteKey(fileName.get(), s.get(), badKey.get()),
                            ERROR_INVALID_PARAMETER));
  EXPECT_TRUE(IsSystemError(manager->INIDeleteKey(fileName.get(), s.get(), lossyKey.get()),
                            ERROR_NO_UNICODE_TRANSLATION));
  EXPECT_TRUE(IsSystemError(manager->INIDeleteSection(fileName.get(), badSection.get()),
                            ERROR_INVALID_PARAMETER));
  EXPECT_EQ(ReadBytes(file), before);
}

TEST_F(IniProfile, FileNamesAreCheckedAndPlatformFailuresReported) {
  const Bstr tooLong(dir / std::wstring(260, L'x')), s(L"s"), k(L"k"), v(L"v");
  EXPECT_TRUE(IsSystemError(manager->INIWriteString(tooLong.get(), s.get(), k.get(), v.get()),
                            ERROR_FILENAME_EXCED_RANGE));
  Bstr value;
  EXPECT_TRUE(
      IsSystemError(manager->INIReadString(tooLong.get(), s.get(), k.get(), v.get(), value.put()),
                    ERROR_FILENAME_EXCED_RANGE));
  // An empty name is no file: refused as the platform refuses to open one, before the
  // platform's profile functions could pick a file of their own.
  const Bstr empty(L"");
  EXPECT_TRUE(IsSystemError(manager->INIWriteString(empty.get(), s.get(), k.get(), v.get()),
                            ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(IsSystemError(manager->INIDeleteSection(nullptr, s.get()), ERROR_PATH_NOT_FOUND));
  const Bstr noFolder(dir / L"missing\\a.ini");
  EXPECT_TRUE(IsSystemError(manager->INIWriteInteger(noFolder.get(), s.get(), k.get(), 1),
                            ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(
      IsSystemError(manager->INIDeleteSection(noFolder.get(), s.get()), ERROR_PATH_NOT_FOUND));
  LONG number = 0;
  EXPECT_EQ(manager->INIReadInteger(fileName.get(), s.get(), k.get(), 1, nullptr), E_POINTER);
  EXPECT_EQ(manager->INIReadBoolean(fileName.get(), s.get(), k.get(), 1, nullptr), E_POINTER);
  EXPECT_EQ(manager->INIReadString(fileName.get(), s.get(), k.get(), v.get(), nullptr), E_POINTER);
  EXPECT_EQ(manager->INIReadInteger(noFolder.get(), s.get(), k.get(), 3, &number), S_OK);
  EXPECT_EQ(number, 3);
}

}  // namespace
}  // namespace docket::test
