// The tree at sizes the fuzz target does not reach: balance through long sorted runs of inserts
// and removals, a walk that stops, an order changed only while empty. (A value the tree fails to
// release shows as a leak when the tests end.)
#include "dictionary/ranked_tree.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

struct IntOrder {
  int operator()(int a, int b) const { return (a > b) - (a < b); }
};
using IntTree = docket::RankedTree<int, std::string, IntOrder>;

// A tree of height h holds at least the entries of the sparsest AVL tree that high.
bool Balanced(const IntTree& tree) {
  size_t fewest = 0, fewestBelow = 0;
  for (int h = 1; h <= tree.height(); ++h) fewestBelow = std::exchange(fewest, fewest + fewestBelow + 1);
  return fewest <= tree.size();
}

// Directory listings arrive nearly sorted: the worst case for an unbalanced tree.
TEST(RankedTree, StaysBalancedThroughSortedInsertsAndRemovals) {
  for (const int step : {1, -1}) {
    IntTree tree;
    for (int i = 0; i < 20000; ++i) tree.TryInsert(i * step, std::to_string(i));
    ASSERT_TRUE(Balanced(tree)) << "step " << step;
    EXPECT_EQ(tree.At(0).key, step > 0 ? 0 : -19999);
    EXPECT_EQ(tree.At(12345).value, std::to_string(step > 0 ? 12345 : 19999 - 12345));
    int visited = 0;
    tree.ForEach([&](const IntTree::Entry&) { return ++visited < 10; });
    EXPECT_EQ(visited, 10) << "the walk stops when asked";
    for (int i = 0; i < 20000; i += 2) ASSERT_TRUE(tree.Erase(i * step));
    for (int i = 19999; i > 0; i -= 2) {
      ASSERT_EQ(tree.Erase(i * step)->value, std::to_string(i));
      ASSERT_TRUE(Balanced(tree)) << "step " << step << ", " << i;
    }
    EXPECT_EQ(tree.size(), 0u);
    EXPECT_TRUE(tree.Reorder(IntOrder{}));
    tree.TryInsert(1, "x");
    EXPECT_FALSE(tree.Reorder(IntOrder{})) << "entries are placed under the order they have";
  }
}

}  // namespace
