// The dictionary's store and key order, differentially: a ranked tree keyed as the dictionary keys
// it, against std::map under an order written out independently (fold A-Z, then compare code
// units), through a sequence of inserts, lookups by key and by rank, and walks that the input
// chooses. Keys come from a small alphabet around the folded range, so equal and near keys meet.
#include "dictionary/key_order.h"
#include "dictionary/ranked_tree.h"

#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <iterator>
#include <map>
#include <string>

namespace {

std::wstring Folded(std::wstring key) {
  for (wchar_t& c : key) {
    if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
  }
  return key;
}

struct ModelOrder {
  bool operator()(const std::wstring& a, const std::wstring& b) const {
    return Folded(a) < Folded(b);
  }
};

using Tree = docket::RankedTree<std::wstring, int, docket::KeyOrder>;
using Model = std::map<std::wstring, int, ModelOrder>;

std::wstring NextKey(FuzzedDataProvider& input) {
  // '@' and '[' border A-Z, '`' and '{' border a-z, '_' sorts between the cases once folded.
  static constexpr wchar_t kAlphabet[] = {L'a', L'A', L'b', L'B', L'z', L'Z', L'@', L'[',
                                          L'`', L'{', L'_', 0xE9, 0xC9, 0, 0xD800, 0xFFFF};
  std::wstring key(input.ConsumeIntegralInRange<size_t>(0, 4), L' ');
  for (wchar_t& c : key) c = kAlphabet[input.ConsumeIntegralInRange<size_t>(0, 15)];
  return key;
}

// The order itself: its sign is the model's, and the 16-bit form agrees with the wide one.
void CheckOrder(const std::wstring& a, const std::wstring& b) {
  const int order = docket::CompareKeys(a, b);
  const int expected = ModelOrder{}(a, b) ? -1 : ModelOrder{}(b, a) ? 1 : 0;
  FUZZ_CHECK((order > 0) - (order < 0) == expected);
  const std::u16string a16(a.begin(), a.end()), b16(b.begin(), b.end());
  FUZZ_CHECK(docket::CompareKeys(a16, b16) == order);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  Tree tree;
  Model model;
  std::wstring previous;
  for (int step = 0; input.remaining_bytes() > 0; ++step) {
    const std::wstring key = NextKey(input);
    CheckOrder(key, previous);
    previous = key;
    switch (input.ConsumeIntegralInRange(0, 5)) {
      case 0:
      case 1:
      case 2: {  // a duplicate keeps the first value and the caller keeps its own
        const bool fresh = model.emplace(key, step).second;
        std::wstring offered = key;
        int value = step;
        const auto [entry, inserted] = tree.TryInsert(std::move(offered), std::move(value));
        FUZZ_CHECK(inserted == fresh && entry->value == model.find(key)->second);
        FUZZ_CHECK(Folded(entry->key) == Folded(key));
        if (!inserted) FUZZ_CHECK(offered == key);
        break;
      }
      case 3: {
        const Tree::Entry* found = tree.Find(key);
        const auto expected = model.find(key);
        FUZZ_CHECK((found != nullptr) == (expected != model.end()));
        if (found) FUZZ_CHECK(found->key == expected->first && found->value == expected->second);
        break;
      }
      case 4: {
        if (model.empty()) break;
        const size_t rank = input.ConsumeIntegralInRange<size_t>(0, model.size() - 1);
        const auto expected = std::next(model.begin(), static_cast<std::ptrdiff_t>(rank));
        const Tree::Entry& entry = tree.At(rank);
        FUZZ_CHECK(entry.key == expected->first && tree.Find(entry.key) == &entry);
        break;
      }
      default: {
        auto expected = model.begin();
        tree.ForEach([&](const Tree::Entry& entry) {
          FUZZ_CHECK(expected != model.end() && entry.key == expected->first);
          ++expected;
          return true;
        });
        FUZZ_CHECK(expected == model.end());
        break;
      }
    }
    FUZZ_CHECK(tree.size() == model.size());
  }
  // The AVL bound: n entries stand at most about 1.44 log2(n + 2) levels high.
  FUZZ_CHECK(tree.height() <= static_cast<int>(1.45 * std::log2(tree.size() + 2.0)) + 1);
  return 0;
}
