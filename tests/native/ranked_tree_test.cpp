#include "dictionary/ranked_tree.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct IntOrder {
  int operator()(int a, int b) const { return (a > b) - (a < b); }
};
using IntTree = docket::RankedTree<int, std::string, IntOrder>;

// The AVL bound: a tree of n entries is at most about 1.44 log2(n + 2) levels high.
void ExpectBalanced(const IntTree& tree, const char* what) {
  const double bound = 1.45 * std::log2(static_cast<double>(tree.size()) + 2.0);
  EXPECT_LE(tree.height(), static_cast<int>(bound) + 1) << what << " with " << tree.size();
}

TEST(RankedTree, EmptyTreeHasNothing) {
  IntTree tree;
  EXPECT_EQ(tree.size(), 0u);
  EXPECT_EQ(tree.height(), 0);
  EXPECT_EQ(tree.Find(1), nullptr);
  int visits = 0;
  tree.ForEach([&](const IntTree::Entry&) { return ++visits, true; });
  EXPECT_EQ(visits, 0);
}

TEST(RankedTree, AgreesWithAnOrderedMapUnderRandomInsertion) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> keys(-5000, 5000);
  IntTree tree;
  std::map<int, std::string> model;
  for (int i = 0; i < 8000; ++i) {
    int key = keys(random);
    std::string value = "v" + std::to_string(i);
    const bool expectInserted = model.emplace(key, value).second;
    auto [entry, inserted] = tree.TryInsert(std::move(key), std::move(value));
    ASSERT_EQ(inserted, expectInserted) << "key " << entry->key;
    EXPECT_EQ(entry->value, model.at(entry->key));
    if (!inserted) {
      EXPECT_FALSE(value.empty()) << "a refused value stays with the caller";
    }
  }
  ASSERT_EQ(tree.size(), model.size());
  ExpectBalanced(tree, "random keys");
  size_t rank = 0;
  for (const auto& [key, value] : model) {
    const IntTree::Entry& entry = tree.At(rank++);
    ASSERT_EQ(entry.key, key) << "rank " << rank - 1;
    EXPECT_EQ(entry.value, value);
    const IntTree::Entry* found = tree.Find(key);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(found, &entry) << "key and rank reach the same entry";
  }
  EXPECT_EQ(tree.Find(5001), nullptr);
}

TEST(RankedTree, StaysBalancedForSortedAndReverseInput) {
  // Directory listings arrive nearly sorted: the worst case for an unbalanced tree.
  for (const bool ascending : {true, false}) {
    IntTree tree;
    for (int i = 0; i < 20000; ++i) tree.TryInsert(ascending ? i : -i, "x");
    ExpectBalanced(tree, ascending ? "ascending" : "descending");
    EXPECT_EQ(tree.At(0).key, ascending ? 0 : -19999);
    EXPECT_EQ(tree.At(19999).key, ascending ? 19999 : 0);
  }
}

TEST(RankedTree, EntriesKeepTheirAddressesAcrossRotations) {
  IntTree tree;
  IntTree::Entry* first = tree.TryInsert(0, "zero").first;
  for (int i = 1; i < 1000; ++i) tree.TryInsert(std::move(i), "n");
  EXPECT_EQ(tree.Find(0), first);
  first->value = "changed";
  EXPECT_EQ(tree.At(0).value, "changed");
}

TEST(RankedTree, ForEachWalksInOrderAndStopsWhenAsked) {
  IntTree tree;
  for (int key : {5, 1, 4, 2, 3}) tree.TryInsert(std::move(key), "");
  std::vector<int> seen;
  tree.ForEach([&](const IntTree::Entry& e) {
    seen.push_back(e.key);
    return e.key < 3;
  });
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

TEST(RankedTree, OwnsItsValuesUntilDestroyed) {
  auto tracker = std::make_shared<int>(0);
  {
    docket::RankedTree<int, std::shared_ptr<int>, IntOrder> tree;
    for (int i = 0; i < 100; ++i) tree.TryInsert(std::move(i), std::shared_ptr<int>(tracker));
    std::shared_ptr<int> duplicate = tracker;
    tree.TryInsert(5, std::move(duplicate));
    EXPECT_EQ(duplicate, tracker) << "the value of a duplicate key is not taken";
    duplicate.reset();
    EXPECT_EQ(tracker.use_count(), 101);
  }
  EXPECT_EQ(tracker.use_count(), 1) << "every value is released with the tree";
}

}  // namespace
