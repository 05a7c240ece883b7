// The dictionary's store and key order against std::map under an order written out apart (fold
// A-Z unless exact, then compare code units), through inserts, removals and renames of keys from
// a small alphabet around the folded range: after each, every entry is where the map has it, by
// walk, rank and key, and the tree is as balanced as an AVL tree.
#include "dictionary/key_order.h"
#include "dictionary/ranked_tree.h"

#include "fuzz_check.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <map>
#include <string>
#include <utility>

namespace {

struct ModelOrder {
  bool exactly = false;
  std::wstring Folded(std::wstring key) const {
    for (wchar_t& c : key)
      if (!exactly && c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
    return key;
  }
  bool operator()(const std::wstring& a, const std::wstring& b) const { return Folded(a) < Folded(b); }
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

// The order itself: the 16-bit form agrees with the wide one, and keys that compare equal hash
// alike. (That it is the model's order shows in where the tree puts its entries.)
void CheckOrder(bool exactly, const std::wstring& a, const std::wstring& b) {
  const int order = docket::KeyOrder{exactly}(a, b);
  const std::u16string a16(a.begin(), a.end()), b16(b.begin(), b.end());
  FUZZ_CHECK(order == (exactly ? docket::CompareKeysExactly(a16, b16) : docket::CompareKeys(a16, b16)));
  const uint32_t hash = docket::HashKey(a, exactly);
  FUZZ_CHECK(hash == docket::HashKey(a16, exactly) && (order != 0 || hash == docket::HashKey(b, exactly)));
}

void CheckSame(const Tree& tree, const Model& model) {
  FUZZ_CHECK(tree.size() == model.size());
  auto expected = model.begin();
  size_t rank = 0;
  tree.ForEach([&](const Tree::Entry& entry) {
    FUZZ_CHECK(expected != model.end() && entry.key == expected->first && entry.value == expected->second);
    FUZZ_CHECK(&tree.At(rank++) == &entry && tree.Find(entry.key) == &entry);
    ++expected;
    return true;
  });
  FUZZ_CHECK(expected == model.end());
  size_t visited = 0, half = (model.size() + 1) / 2;  // a walk stops when told
  tree.ForEach([&](const Tree::Entry&) { return ++visited < half; });
  FUZZ_CHECK(visited == half);
  // Balanced: a tree of height h holds at least the entries of the sparsest AVL tree that high.
  size_t fewest = 0, fewestBelow = 0;
  for (int h = 1; h <= tree.height(); ++h) fewestBelow = std::exchange(fewest, fewest + fewestBelow + 1);
  FUZZ_CHECK(fewest <= tree.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const ModelOrder order{input.ConsumeBool()};
  Tree tree(docket::KeyOrder{order.exactly});
  Model model(order);
  std::wstring previous;
  for (int step = 0; input.remaining_bytes() > 0; ++step) {
    const std::wstring key = NextKey(input);
    CheckOrder(order.exactly, key, previous);
    previous = key;
    const auto held = model.find(key);
    FUZZ_CHECK((tree.Find(key) != nullptr) == (held != model.end()));
    switch (input.ConsumeIntegralInRange(0, 4)) {
      case 0: case 1: {  // a duplicate keeps the first value and the caller keeps its own
        std::wstring offered = key;
        int value = step;
        const auto [entry, inserted] = tree.TryInsert(std::move(offered), std::move(value));
        FUZZ_CHECK(inserted == model.emplace(key, step).second && (inserted || offered == key));
        FUZZ_CHECK(order.Folded(entry->key) == order.Folded(key) && entry->value == model.at(key));
        break;
      }
      case 2: {
        const auto taken = tree.Erase(key);
        FUZZ_CHECK(taken.has_value() == (held != model.end()));
        if (taken) {
          FUZZ_CHECK(taken->key == held->first && taken->value == held->second);
          model.erase(held);
        }
        break;
      }
      default: {  // the entry keeps its value under the new spelling, at its new place
        const std::wstring to = NextKey(input);
        const auto taken = model.find(to);
        const Tree::Renamed expected = held == model.end()                        ? Tree::Renamed::kMissing
                                       : taken != model.end() && taken != held ? Tree::Renamed::kTaken
                                                                                : Tree::Renamed::kDone;
        FUZZ_CHECK(tree.Rename(key, std::wstring(to)) == expected);
        if (expected == Tree::Renamed::kDone) {
          const int value = held->second;
          model.erase(held);
          model.emplace(to, value);
        }
        break;
      }
    }
    CheckSame(tree, model);
    FUZZ_CHECK(tree.Reorder(tree.order()) == model.empty());  // only an empty tree takes another order
  }
  return 0;
}
