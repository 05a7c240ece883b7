// The module's conversions to and from the system code page (1252 in the test prefix), built into
// the test program: exactness for paths, and texts too long for the platform's int-counted calls.
#include "com/ansi.h"

#include <gtest/gtest.h>

#include <new>

namespace docket::test {
namespace {

TEST(AnsiConversion, ExactFormOnlyForCharactersTheCodePageHas) {
  const struct {
    std::wstring text;
    std::optional<std::string> expected;  // none: no exact form
  } cases[] = {
      {L"C:\\a\\b.txt", "C:\\a\\b.txt"},
      {L"caf\u00E9 \u20AC", "caf\xE9 \x80"},
      {L"a?.txt", "a?.txt"},  // a question mark written as one
      {L"a\u4E00.txt", std::nullopt},  // would be '?'
      {L"\u0163.txt", std::nullopt},  // best fit only: would be 't'
      {std::wstring(L"a") + wchar_t(0xD800), std::nullopt},  // lone surrogate
  };
  for (const auto& c : cases) EXPECT_EQ(com::ToAnsiExact(c.text), c.expected) << "case " << &c - cases;
}

// More characters than an int counts: refused before a single one is read, never converted to ""
// or cut to the low bits of the length. The text lies in reserved memory no one may touch.
TEST(AnsiConversion, TextsBeyondIntMaxAreRefusedUntouched) {
  if (sizeof(void*) < 8) GTEST_SKIP() << "needs 4 GiB of address space";
  const size_t length = size_t{INT_MAX} + 1;
  void* reserved = ::VirtualAlloc(nullptr, length * sizeof(wchar_t), MEM_RESERVE, PAGE_NOACCESS);
  ASSERT_NE(reserved, nullptr) << ::GetLastError();
  const std::wstring_view wide(static_cast<const wchar_t*>(reserved), length);
  const std::string_view narrow(static_cast<const char*>(reserved), length);
  EXPECT_THROW(com::ToAnsi(wide), std::bad_alloc);
  EXPECT_THROW(com::ToAnsiExact(wide), std::bad_alloc);
  EXPECT_THROW(com::FromAnsi(narrow), std::bad_alloc);
  EXPECT_THROW(com::Bstr{wide}, std::bad_alloc);
  BSTR out = reinterpret_cast<BSTR>(&out);
  EXPECT_EQ(com::ReturnWide(wide, &out), E_OUTOFMEMORY);
  EXPECT_EQ(out, nullptr);
  ::VirtualFree(reserved, 0, MEM_RELEASE);
}

}  // namespace
}  // namespace docket::test
