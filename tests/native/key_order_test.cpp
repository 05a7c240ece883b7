// The dictionary's text order is held to a model by the ranked-tree fuzz target, which also checks
// that equal keys hash alike; here, that unequal keys need not.
#include "dictionary/key_order.h"

#include <gtest/gtest.h>

namespace {

TEST(KeyOrder, BothBytesOfAUnitMakeTheHash) {
  const docket::KeyOrder text{}, exact{true};
  EXPECT_NE(text.Hash(L"a\u0100"), text.Hash(L"a\u0200"));
  EXPECT_NE(exact.Hash(L"A"), exact.Hash(L"a")) << "an exact order hashes the case too";
  EXPECT_EQ(text.Hash(L"A"), text.Hash(L"a"));
}

}  // namespace
