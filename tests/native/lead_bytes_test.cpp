#include "com/lead_bytes.h"

#include "code_page_tables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>

namespace text = docket::text;
using code_page_tables::k932;
using code_page_tables::kSingleByte;

namespace {

constexpr auto npos = std::string::npos;

// 表 is 95 5C and ソ is 83 5C in 932: their second byte is a backslash's.
TEST(LeadBytes, SearchesIn932StepOverTheSecondByteOfACharacter) {
  const struct {
    const char* name;
    std::string bytes;
    std::size_t lastSeparator;
    bool endsWithSeparator;
  } cases[] = {
      {"name alone", "\x95\x5C", npos, false},
      {"at the end of a path", "C:\\d\\\x95\x5C", 4, false},
      {"in the middle of a name", "C:\\a\x83\x5C" "b", 2, false},
      {"a folder's name before a separator", "C:\\\x95\x5C\\b", 5, false},
      {"a closing separator after it", "C:\\\x95\x5C\\", 5, true},
      {"a second byte that could lead", "\x95\x95\\", 2, true},
      {"a lead byte that ends the text stands alone", "a\\\x95", 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(text::FindLastOf(c.bytes, "\\", k932), c.lastSeparator) << c.name;
    EXPECT_EQ(text::EndsWithOneOf(c.bytes, "\\", k932), c.endsWithSeparator) << c.name;
  }
  EXPECT_EQ(text::FindLastOf("\x83\x5C.txt", ".", k932), 2u) << "the dot before an extension";
  EXPECT_EQ(text::FindFirstOf("\\\\\x95\x5C\\s", "\\", k932, 2), 4u) << "from a character's start";
  EXPECT_EQ(text::CountOf("a\\\x95\x5C/\x83\x5C\\", "\\/", k932), 3u);
}

// Every search with a single-byte table answers as the plain byte search does: on such a code page
// nothing changes.
TEST(LeadBytes, ASingleByteTableFindsWhatAByteSearchFinds) {
  std::mt19937 rng(932);
  std::uniform_int_distribution<int> length(0, 12), pick(0, 5);
  const char alphabet[] = {'\\', '/', '.', 'a', '\x95', '\x5C'};
  for (int round = 0; round < 5000; ++round) {
    std::string bytes(static_cast<std::size_t>(length(rng)), ' ');
    for (char& b : bytes) b = alphabet[pick(rng)];
    SCOPED_TRACE(bytes);
    ASSERT_EQ(text::FindLastOf(bytes, "\\/", kSingleByte), bytes.find_last_of("\\/"));
    ASSERT_EQ(text::FindFirstOf(bytes, ".", kSingleByte), bytes.find('.'));
    ASSERT_EQ(text::EndsWithOneOf(bytes, "\\", kSingleByte),
              !bytes.empty() && bytes.back() == '\\');
    ASSERT_EQ(text::CountOf(bytes, "/", kSingleByte),
              static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '/')));
  }
}

}  // namespace
