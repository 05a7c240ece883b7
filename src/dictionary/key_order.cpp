#include "dictionary/key_order.h"

#include <algorithm>
#include <type_traits>

namespace docket {
namespace {

template <class Unit>
unsigned long Folded(Unit unit) {
  const auto value = static_cast<std::make_unsigned_t<Unit>>(unit);
  return (value >= u'A' && value <= u'Z') ? value + (u'a' - u'A') : value;
}

template <class Unit>
int CompareFolded(std::basic_string_view<Unit> left, std::basic_string_view<Unit> right) {
  const size_t common = std::min(left.size(), right.size());
  for (size_t i = 0; i < common; ++i) {
    const unsigned long a = Folded(left[i]);
    const unsigned long b = Folded(right[i]);
    if (a != b) return a < b ? -1 : 1;
  }
  if (left.size() == right.size()) return 0;
  return left.size() < right.size() ? -1 : 1;
}

}  // namespace

int CompareKeys(std::u16string_view left, std::u16string_view right) noexcept {
  return CompareFolded(left, right);
}

int CompareKeys(std::wstring_view left, std::wstring_view right) noexcept {
  return CompareFolded(left, right);
}

}  // namespace docket
