// Searches and counts over whole double-byte characters. (With a single-byte table they are the
// plain byte searches: the path fuzz target holds them to that.)
#include "com/lead_bytes.h"

#include "code_page_tables.h"

#include <gtest/gtest.h>

#include <string>

namespace text = docket::text;
using code_page_tables::k932;

namespace {

// 表 is 95 5C and ソ is 83 5C in 932: their second byte is a backslash's.
TEST(LeadBytes, SearchesIn932StepOverTheSecondByteOfACharacter) {
  const struct {
    const char* name;
    std::string bytes;
    std::size_t lastSeparator;
    bool endsWithSeparator;
  } cases[] = {
      {"name alone", "\x95\x5C", std::string::npos, false},
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

// A piece of text read from a file ends before a lead byte whose second byte has not come yet.
TEST(LeadBytes, WholeCharacterBytesNeverSplitsACharacter) {
  const std::string bytes = "a\x95\x5C" "b\x95";
  EXPECT_EQ(text::WholeCharacterBytes(bytes, k932, 2, false), 3u) << "two characters, three bytes";
  EXPECT_EQ(text::WholeCharacterBytes(bytes, k932, 9, false), 4u) << "the cut-off lead byte waits";
  EXPECT_EQ(text::WholeCharacterBytes(bytes, k932, 9, true), 5u) << "at the end it stands alone";
  EXPECT_EQ(text::WholeCharacterBytes(bytes, code_page_tables::kSingleByte, 2, false), 2u);
}

}  // namespace
