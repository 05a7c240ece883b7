// The rights of an access-control entry on NT 4, Windows 2000 and later, the Windows 2000 right
// groups, and an entry's layout read from its bytes. What holds for any entry is the fuzz target's.
#include "security/access_entry.h"
#include "security/rights_model.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace docket::rights {
namespace {

constexpr uint8_t kAudit = 2, kOI = kObjectInherit, kCI = kContainerInherit;
constexpr uint32_t kGroupsOfFull = kList | kReadExecute | kModify, kDOP = kDelete | kPermissions | kOwner;

TEST(RightsOf, ConvertsTheMaskPerSystemVersion) {
  const struct {
    const char* name;
    EntryFacts entry;
    uint32_t nt4, later;  // rights on NT 4, and on Windows 2000 and later
  } cases[] = {
      {"generic all without object-inherit", {kAllowEntry, 0, mask::kGenericAll}, 0, 0},
      {"full control", {kAllowEntry, 0, mask::kFullControl}, kFull, kFull | kGroupsOfFull},
      {"full control, read generically", {kAllowEntry, kOI | kCI, mask::kFullControl}, kDOP, kDOP | kGroupsOfFull},
      {"read-and-execute group", {kAllowEntry, 0, mask::kReadExecuteGroup}, 0, kRead | kList | kReadExecute},
      {"file read and execute", {kAllowEntry, 0, 0x1200A9}, kRead | kExecute, kRead | kList | kReadExecute},
      {"generic read and execute", {kAllowEntry, kOI, mask::kGenericRead | mask::kGenericExecute}, kRead | kExecute, kRead},
      {"generic write", {kAllowEntry, kOI, mask::kGenericWrite}, kWrite, kWrite},
      {"write group and take ownership", {kAllowEntry, 0, 0x116 | mask::kWriteOwner}, kOwner, kWrite | kOwner},
      {"full control without synchronise", {kAllowEntry, 0, mask::kFullControlNoSync}, kDOP, (kFull & ~kExecute) | kGroupsOfFull},
      {"an audit entry converts as an allowing one", {kAudit, 0, mask::kFullControl}, kFull, kFull | kGroupsOfFull},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(RightsOf(c.entry, 4).rights, c.nt4) << c.name << ", NT 4";
    EXPECT_EQ(RightsOf(c.entry, 5).rights, c.later) << c.name << ", 2000";
    EXPECT_EQ(RightsOf(c.entry, 6).rights, c.later) << c.name << ", later";
  }
  EXPECT_TRUE(RightsOf({kAllowEntry, kOI, 0}, 5).generic);  // denials and generic all: fuzz target
}

TEST(GroupStatesOf, SetsTheHeldGroupsOnWindows2000) {
  constexpr int32_t A = kGroupAllow, D = kGroupDeny, N = kGroupNotSet;
  const struct {
    const char* name;
    EntryFacts entry;
    GroupStates expected;  // full control, read, write, list contents, modify, read and execute
  } cases[] = {
      {"full control", {kAllowEntry, 0, mask::kFullControl}, {A, A, A, A, A, A}},
      {"denied full control without synchronise", {kDenyEntry, 0, mask::kFullControlNoSync}, {D, D, D, D, D, D}},
      {"allowed full control without synchronise", {kAllowEntry, 0, mask::kFullControlNoSync}, {N, A, A, A, A, A}},
      {"generic all", {kDenyEntry, kOI, mask::kGenericAll}, {D, D, D, D, D, D}},
      {"read and execute", {kAllowEntry, 0, 0x1200A9}, {N, A, N, A, N, A}},
      {"generic read", {kAllowEntry, 0, mask::kGenericRead}, {N, A, N, N, N, N}},
      {"denied write group", {kDenyEntry, 0, 0x116}, {N, N, D, N, N, N}},
      {"inherit-only container entry", {kAllowEntry, kCI | kInheritOnly, mask::kGenericAll}, {N, N, N, N, N, N}},
      {"inherit-only entry passing to files too", {kAllowEntry, kOI | kCI | kInheritOnly, mask::kGenericAll}, {A, A, A, A, A, A}},
      {"neither allowing nor denying", {kAudit, 0, mask::kGenericAll}, {N, N, N, N, N, N}},
  };
  for (const auto& c : cases) EXPECT_EQ(GroupStatesOf(c.entry, kWindows2000), c.expected) << c.name;
}

// An entry's bytes: header, full-control mask, the object part of type 5, then S-1-5-32-544
// (or, with another count, what claims to be).
std::vector<uint8_t> EntryBytes(uint8_t type, uint8_t objectFlags = 0, uint8_t subCount = 2) {
  std::vector<uint8_t> bytes = {type, 0x03, 0, 0, 0xFF, 0x01, 0x1F, 0x00};
  if (type == 5) {
    bytes.insert(bytes.end(), {objectFlags, 0, 0, 0});
    bytes.insert(bytes.end(), 16 * ((objectFlags & 1) + (objectFlags >> 1 & 1)), 0xAB);
  }
  bytes.insert(bytes.end(), {1, subCount, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0});
  bytes[2] = static_cast<uint8_t>(bytes.size());
  return bytes;
}

// Where the identifier starts in plain and object entries, and entries that read but hold none
// (0); one that ends within its own header does not read. (That sizes and identifiers stay within
// the bytes is the fuzz target's.)
TEST(ReadEntry, FindsTheIdentifierWhereItFitsAndReads) {
  const struct { const char* name; std::vector<uint8_t> bytes; size_t at; uint8_t value, sidOffset; } cases[] = {
      {"plain", EntryBytes(0), 1, 3, 8},
      {"object, no types", EntryBytes(5, 0), 1, 3, 12},
      {"object, inherited type", EntryBytes(5, 2), 1, 3, 28},
      {"object, both types", EntryBytes(5, 3), 1, 3, 44},
      {"identifier revision", EntryBytes(0), 8, 2, 0},
      {"more than 15 sub-authorities", EntryBytes(0, 0, 16), 1, 3, 0},
      {"a sub-authority outside the entry", EntryBytes(0), 2, 20, 0},
      {"no room for the object flags", EntryBytes(5, 3), 2, 10, 0},
  };
  for (auto c : cases) {
    c.bytes[c.at] = c.value;
    const auto entry = ReadEntry(c.bytes.data(), c.bytes.size());
    ASSERT_TRUE(entry) << c.name;
    EXPECT_EQ(std::tie(entry->facts.type, entry->facts.flags, entry->facts.mask, entry->size),
              std::tuple(c.bytes[0], 0x03, mask::kFullControl, c.bytes[2])) << c.name;
    EXPECT_EQ(std::tuple(entry->sidOffset, entry->sidLength), std::tuple(size_t{c.sidOffset}, c.sidOffset ? 16u : 0u))
        << c.name;
  }
  const std::vector<uint8_t> noMask = {0, 0, 6, 0, 0, 0};
  EXPECT_FALSE(ReadEntry(noMask.data(), noMask.size()));
}

}  // namespace
}  // namespace docket::rights
