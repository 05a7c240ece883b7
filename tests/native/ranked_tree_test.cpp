#include "dictionary/ranked_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

namespace {

struct IntOrder {
  int operator()(int a, int b) const { return (a > b) - (a < b); }
};
using IntTree = docket::RankedTree<int, std::string, IntOrder>;

// The AVL bound: n entries stand at most about 1.44 log2(n + 2) levels high.
int HeightBound(size_t size) { return static_cast<int>(1.45 * std::log2(size + 2.0)) + 1; }

// Checks order, ranks and balance of every entry against the model.
void ExpectSameAs(const IntTree& tree, const std::map<int, std::string>& model) {
  ASSERT_EQ(tree.size(), model.size());
  EXPECT_LE(tree.height(), HeightBound(tree.size()));
  size_t rank = 0;
  for (const auto& [key, value] : model) {
    const IntTree::Entry& entry = tree.At(rank++);
    ASSERT_EQ(entry.key, key);
    EXPECT_EQ(entry.value, value);
    EXPECT_EQ(tree.Find(key), &entry) << "key and rank reach the same entry";
  }
}

// Random inserts (duplicates among them), removals and renames against std::map.
TEST(RankedTree, InsertRemoveAndRenameAgreeWithAnOrderedMap) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> keys(0, 3000), action(0, 2);
  IntTree tree;
  std::map<int, std::string> model;
  EXPECT_EQ(tree.Find(0), nullptr);
  for (int step = 0; step < 23000; ++step) {
    const int key = keys(random);
    const auto held = model.find(key);
    const int what = step < 3000 ? 1 : action(random);
    if (what == 0) {
      std::optional<IntTree::Entry> removed = tree.Erase(key);
      ASSERT_EQ(removed.has_value(), held != model.end()) << step;
      if (!removed) continue;
      EXPECT_EQ(removed->value, held->second) << "the removed entry is handed back";
      model.erase(held);
    } else if (what == 1) {
      std::string value = "n" + std::to_string(step);
      model.emplace(key, value);
      auto [entry, inserted] = tree.TryInsert(key + 0, std::move(value));
      ASSERT_EQ(inserted, held == model.end()) << step;
      EXPECT_EQ(entry->value, model.at(key)) << "a duplicate keeps the first value";
      if (!inserted) EXPECT_FALSE(value.empty()) << "a refused value stays with the caller";
    } else {
      const int to = keys(random);
      const auto result = tree.Rename(key, to + 0);
      if (held == model.end()) {
        ASSERT_EQ(result, IntTree::Renamed::kMissing) << step;
      } else if (to != key && model.count(to)) {
        ASSERT_EQ(result, IntTree::Renamed::kTaken) << step;
      } else {
        ASSERT_EQ(result, IntTree::Renamed::kDone) << step;
        EXPECT_EQ(tree.Find(to)->value, held->second) << "the value travels with its entry";
        std::string value = held->second;
        model.erase(held);
        model.emplace(to, std::move(value));
      }
    }
    if (step % 1000 == 0) ExpectSameAs(tree, model);
  }
  ExpectSameAs(tree, model);
  auto expected = model.cbegin();
  tree.ForEach([&](const IntTree::Entry& e) { return e.key == (expected++)->first; });
  EXPECT_EQ(expected, model.cend()) << "the walk visits every entry in order";
  while (!model.empty()) {  // down to nothing, balanced all the way
    ASSERT_TRUE(tree.Erase(model.begin()->first));
    model.erase(model.begin());
    ASSERT_LE(tree.height(), HeightBound(tree.size()));
  }
  EXPECT_EQ(tree.size(), 0u);
}

TEST(RankedTree, StaysBalancedForSortedInput) {
  // Directory listings arrive nearly sorted: the worst case for an unbalanced tree.
  for (const int step : {1, -1}) {
    IntTree tree;
    for (int i = 0; i < 20000; ++i) tree.TryInsert(i * step, "x");
    EXPECT_LE(tree.height(), HeightBound(tree.size())) << "step " << step;
    EXPECT_EQ(tree.At(0).key, step > 0 ? 0 : -19999);
  }
}

TEST(RankedTree, OwnsItsValuesUntilDestroyed) {
  auto tracker = std::make_shared<int>(0);
  {
    docket::RankedTree<int, std::shared_ptr<int>, IntOrder> tree;
    for (int i = 0; i < 100; ++i) tree.TryInsert(std::move(i), std::shared_ptr<int>(tracker));
    EXPECT_EQ(tracker.use_count(), 101);
  }
  EXPECT_EQ(tracker.use_count(), 1) << "every value is released with the tree";
}

}  // namespace
