#include "dictionary/key_order.h"

#include <algorithm>
#include <type_traits>

namespace docket {
namespace {

template <class Unit>
unsigned long CodeUnit(Unit unit, bool fold) {
  const auto value = static_cast<std::make_unsigned_t<Unit>>(unit);
  return (fold && value >= u'A' && value <= u'Z') ? value + (u'a' - u'A') : value;
}

template <class Unit>
int Compare(std::basic_string_view<Unit> left, std::basic_string_view<Unit> right, bool fold) {
  const size_t common = std::min(left.size(), right.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned long a = CodeUnit(left[i], fold);
    const unsigned long b = CodeUnit(right[i], fold);
    if (a != b) return a < b ? -1 : 1;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

// FNV-1a over the (folded) code units, two bytes each.
template <class Unit>
std::uint32_t Hash(std::basic_string_view<Unit> key, bool fold) {
  std::uint32_t hash = 2166136261u;
  for (const Unit unit : key) {
    const unsigned long value = CodeUnit(unit, fold);
    for (const unsigned long byte : {value & 0xFF, (value >> 8) & 0xFF}) {
      hash ^= static_cast<std::uint32_t>(byte);
      hash *= 16777619u;
    }
  }
  return hash & 0x7FFFFFFFu;  // a script sees a positive Long
}

}  // namespace

int CompareKeys(std::u16string_view left, std::u16string_view right) noexcept {
  return Compare(left, right, true);
}

int CompareKeys(std::wstring_view left, std::wstring_view right) noexcept {
  return Compare(left, right, true);
}

int CompareKeysExactly(std::u16string_view left, std::u16string_view right) noexcept {
  return Compare(left, right, false);
}

int CompareKeysExactly(std::wstring_view left, std::wstring_view right) noexcept {
  return Compare(left, right, false);
}

std::uint32_t HashKey(std::u16string_view key, bool exactly) noexcept {
  return Hash(key, !exactly);
}

std::uint32_t HashKey(std::wstring_view key, bool exactly) noexcept { return Hash(key, !exactly); }

}  // namespace docket
