// The order and equality of dictionary keys. By default only the letters A to Z are folded (to a
// to z); every other code unit compares by its unsigned value, so accented and other non-ASCII
// letters keep their case and the order never depends on the machine's locale. On a common prefix
// the shorter key sorts first. An underscore therefore sorts before every letter, and "B" after
// "a". A dictionary switched to case-sensitive keys folds nothing: "B" then sorts before "a".
//
// Pure: no platform header, so it is also built natively with the sanitizers.
#pragma once

#include <cstdint>
#include <string_view>

namespace docket {

// Negative when left sorts before right, zero when they are the same key, positive otherwise.
int CompareKeys(std::u16string_view left, std::u16string_view right) noexcept;
// The same for the platform's wide strings (UTF-16 code units where the module runs).
int CompareKeys(std::wstring_view left, std::wstring_view right) noexcept;

// The same without folding: keys are equal only when every code unit is.
int CompareKeysExactly(std::u16string_view left, std::u16string_view right) noexcept;
int CompareKeysExactly(std::wstring_view left, std::wstring_view right) noexcept;

// A 31-bit hash of a key, equal for keys that compare equal (folded or exactly).
std::uint32_t HashKey(std::u16string_view key, bool exactly) noexcept;
std::uint32_t HashKey(std::wstring_view key, bool exactly) noexcept;

// Three-way comparison object for the dictionary's ordered store.
struct KeyOrder {
  bool exactly = false;  // case-sensitive keys

  int operator()(std::wstring_view left, std::wstring_view right) const noexcept {
    return exactly ? CompareKeysExactly(left, right) : CompareKeys(left, right);
  }
  std::uint32_t Hash(std::wstring_view key) const noexcept { return HashKey(key, exactly); }
};

}  // namespace docket
