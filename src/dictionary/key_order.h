// The order and equality of dictionary keys. Only the letters A to Z are folded (to a to z);
// every other code unit compares by its unsigned value, so accented and other non-ASCII letters
// keep their case and the order never depends on the machine's locale. On a common prefix the
// shorter key sorts first. An underscore therefore sorts before every letter, and "B" after "a".
//
// Pure: no platform header, so it is also built natively with the sanitizers.
#pragma once

#include <string_view>

namespace docket {

// Negative when left sorts before right, zero when they are the same key, positive otherwise.
int CompareKeys(std::u16string_view left, std::u16string_view right) noexcept;
// The same for the platform's wide strings (UTF-16 code units where the module runs).
int CompareKeys(std::wstring_view left, std::wstring_view right) noexcept;

// Three-way comparison object for the dictionary's ordered store.
struct KeyOrder {
  int operator()(std::wstring_view left, std::wstring_view right) const noexcept {
    return CompareKeys(left, right);
  }
};

}  // namespace docket
