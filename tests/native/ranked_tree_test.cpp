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

TEST(RankedTree, AgreesWithAnOrderedMapByKeyAndByRank) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> keys(-5000, 5000);
  IntTree tree;
  std::map<int, std::string> model;
  EXPECT_EQ(tree.Find(0), nullptr);
  for (int i = 0; i < 8000; ++i) {
    int key = keys(random);
    std::string value = "v" + std::to_string(i);
    const bool fresh = model.emplace(key, value).second;
    auto [entry, inserted] = tree.TryInsert(std::move(key), std::move(value));
    ASSERT_EQ(inserted, fresh);
    EXPECT_EQ(entry->value, model.at(entry->key)) << "a duplicate keeps the first value";
    if (!inserted) {
      EXPECT_FALSE(value.empty()) << "a refused value stays with the caller";
    }
  }
  ExpectSameAs(tree, model);
  std::map<int, std::string>::const_iterator expected = model.begin();
  tree.ForEach([&](const IntTree::Entry& e) { return e.key == (expected++)->first; });
  EXPECT_EQ(expected, model.end()) << "the walk visits every entry in order";
}

TEST(RankedTree, RemovalAndRenamingAgreeWithAnOrderedMap) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> keys(0, 3000), action(0, 2);
  IntTree tree;
  std::map<int, std::string> model;
  for (int i = 0; i < 3000; ++i) tree.TryInsert(keys(random) + 0, "v" + std::to_string(i));
  tree.ForEach([&](const IntTree::Entry& e) { return model.emplace(e.key, e.value).second; });
  for (int step = 0; step < 20000; ++step) {
    const int key = keys(random);
    const auto held = model.find(key);
    const int what = action(random);
    if (what == 0) {
      std::optional<IntTree::Entry> removed = tree.Erase(key);
      ASSERT_EQ(removed.has_value(), held != model.end()) << step;
      if (!removed) continue;
      EXPECT_EQ(removed->value, held->second) << "the removed entry is handed back";
      model.erase(held);
    } else if (what == 1) {
      tree.TryInsert(key + 0, "n" + std::to_string(step));
      model.emplace(key, "n" + std::to_string(step));
    } else {
      const int to = keys(random);
      const auto result = tree.Rename(key, to + 0);
      if (held == model.end()) {
        ASSERT_EQ(result, IntTree::Renamed::kMissing) << step;
      } else if (to != key && model.count(to)) {
        ASSERT_EQ(result, IntTree::Renamed::kTaken) << step;
      } else {
        ASSERT_EQ(result, IntTree::Renamed::kDone) << step;
        const IntTree::Entry* moved = &*tree.Find(to);
        EXPECT_EQ(moved->value, held->second) << "the value travels with its entry";
        std::string value = held->second;
        model.erase(held);
        model.emplace(to, std::move(value));
      }
    }
    if (step % 1000 == 0) ExpectSameAs(tree, model);
  }
  ExpectSameAs(tree, model);
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
