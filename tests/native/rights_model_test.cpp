// The rights of an access-control entry on NT 4, Windows 2000 and later, the Windows 2000 right
// groups, and reading an entry's layout from its bytes.
#include "security/access_entry.h"
#include "security/rights_model.h"

#include <gtest/gtest.h>

#include <vector>

namespace docket::rights {
namespace {

constexpr uint8_t kAuditEntry = 2;

struct RightsCase {
  const char* name;
  EntryFacts entry;
  uint32_t version;
  uint32_t expected;
};

TEST(RightsOf, ConvertsTheMaskPerSystemVersion) {
  const uint32_t kReadGroups = kRead | kList | kReadExecute;
  const RightsCase cases[] = {
      {"deny of full control, NT 4", {kDenyEntry, 0, mask::kFullControl}, 4, kNoAccess},
      {"deny of full control, 2000", {kDenyEntry, 0, mask::kFullControl}, 5, kNoAccess},
      {"deny with generic all, later", {kDenyEntry, kObjectInherit, mask::kGenericAll}, 6, kNoAccess},
      {"object-inherit generic all, NT 4", {kAllowEntry, kObjectInherit, mask::kGenericAll}, 4, kFull},
      {"object-inherit generic all, 2000", {kAllowEntry, kObjectInherit, mask::kGenericAll}, 5, kFull},
      {"full control, NT 4", {kAllowEntry, 0, mask::kFullControl}, 4, kFull},
      {"full control, 2000", {kAllowEntry, 0, mask::kFullControl}, 5,
       kFull | kList | kReadExecute | kModify},
      {"full control, later", {kAllowEntry, 0, mask::kFullControl}, 6,
       kFull | kList | kReadExecute | kModify},
      {"read and execute group, 2000", {kAllowEntry, 0, mask::kReadExecuteGroup}, 5, kReadGroups},
      {"file read and execute, NT 4", {kAllowEntry, 0, 0x1200A9}, 4, kRead | kExecute},
      {"file read and execute, 2000", {kAllowEntry, 0, 0x1200A9}, 5, kReadGroups},
      {"generic read and execute, NT 4",
       {kAllowEntry, kObjectInherit, mask::kGenericRead | mask::kGenericExecute}, 4, kRead | kExecute},
      {"generic read without the generic flag, NT 4", {kAllowEntry, 0, mask::kGenericRead}, 4, 0},
      {"generic read and write, 2000",
       {kAllowEntry, kObjectInherit, mask::kGenericRead | mask::kGenericWrite}, 5, kRead | kWrite},
      {"object-inherit full control takes no generic full, 2000",
       {kAllowEntry, kObjectInherit | kContainerInherit, mask::kFullControl}, 5,
       kDelete | kPermissions | kOwner | kList | kReadExecute | kModify},
      {"delete and change permissions only", {kAllowEntry, 0, mask::kDelete | mask::kWriteDac}, 5,
       kDelete | kPermissions},
      {"write group and take ownership, 2000", {kAllowEntry, 0, 0x116 | mask::kWriteOwner}, 5,
       kWrite | kOwner},
      {"full control without synchronise is not full for an allow entry, 2000",
       {kAllowEntry, 0, mask::kFullControlNoSync}, 5,
       kRead | kWrite | kDelete | kPermissions | kOwner | kList | kReadExecute | kModify},
      {"an audit entry converts as an allowing one", {kAuditEntry, 0, mask::kFullControl}, 5,
       kFull | kList | kReadExecute | kModify},
  };
  for (const RightsCase& c : cases) {
    const RightsValue value = RightsOf(c.entry, c.version);
    EXPECT_EQ(value.rights, c.expected) << c.name;
    EXPECT_EQ(value.generic, (c.entry.flags & kObjectInherit) != 0) << c.name;
    EXPECT_EQ(value.systemVersion, c.version) << c.name;
  }
}

TEST(RightsOf, TestingOneRightNeedsAllItsBits) {
  const RightsValue full = RightsOf({kAllowEntry, 0, mask::kFullControl}, 4);
  EXPECT_TRUE(full.Has(kFull));
  EXPECT_TRUE(full.Has(kExecute));
  EXPECT_FALSE(full.Has(kNoAccess));
  const RightsValue read = RightsOf({kAllowEntry, 0, 0x1200A9}, 4);
  EXPECT_TRUE(read.Has(kRead));
  EXPECT_FALSE(read.Has(kFull)) << "full control is a combination";
}

struct GroupCase {
  const char* name;
  EntryFacts entry;
  uint32_t version;
  GroupStates expected;  // full control, read, write, list contents, modify, read and execute
};

TEST(GroupStatesOf, SetsTheHeldGroupsOnWindows2000Only) {
  constexpr int32_t A = kGroupAllow, D = kGroupDeny, N = kGroupNotSet;
  const GroupCase cases[] = {
      {"full control", {kAllowEntry, 0, mask::kFullControl}, 5, {A, A, A, A, A, A}},
      {"denied full control without synchronise",
       {kDenyEntry, 0, mask::kFullControlNoSync}, 5, {D, D, D, D, D, D}},
      {"allowed full control without synchronise",
       {kAllowEntry, 0, mask::kFullControlNoSync}, 5, {N, A, A, A, A, A}},
      {"generic all", {kDenyEntry, kObjectInherit, mask::kGenericAll}, 5, {D, D, D, D, D, D}},
      {"read and execute", {kAllowEntry, 0, 0x1200A9}, 5, {N, A, N, A, N, A}},
      {"generic read", {kAllowEntry, 0, mask::kGenericRead}, 5, {N, A, N, N, N, N}},
      {"denied write group", {kDenyEntry, 0, 0x116}, 5, {N, N, D, N, N, N}},
      {"generic write", {kAllowEntry, 0, mask::kGenericWrite}, 5, {N, N, A, N, N, N}},
      {"inherit-only container entry",
       {kAllowEntry, kContainerInherit | kInheritOnly, mask::kGenericAll}, 5, {N, N, N, N, N, N}},
      {"inherit-only entry that also passes to files",
       {kAllowEntry, kObjectInherit | kContainerInherit | kInheritOnly, mask::kGenericAll}, 5,
       {A, A, A, A, A, A}},
      {"an entry that neither allows nor denies",
       {kAuditEntry, 0, mask::kGenericAll}, 5, {N, N, N, N, N, N}},
      {"NT 4", {kAllowEntry, 0, mask::kGenericAll}, 4, {N, N, N, N, N, N}},
      {"later than 2000", {kDenyEntry, 0, mask::kGenericAll}, 6, {N, N, N, N, N, N}},
  };
  for (const GroupCase& c : cases)
    EXPECT_EQ(GroupStatesOf(c.entry, c.version), c.expected) << c.name;
}

TEST(RightsTypeOf, FolderEntriesThatPassToFilesCountAsFileRights) {
  EXPECT_EQ(RightsTypeOf(true, 0), kFileRights);
  EXPECT_EQ(RightsTypeOf(true, kContainerInherit), kFileRights);
  EXPECT_EQ(RightsTypeOf(false, kObjectInherit | kContainerInherit), kFileRights);
  EXPECT_EQ(RightsTypeOf(false, kContainerInherit), kDirRights);
  EXPECT_EQ(RightsTypeOf(false, 0), kDirRights);
}

// An entry's bytes: header, mask, optional object part, then S-1-5-32-<rid>.
std::vector<uint8_t> EntryBytes(uint8_t type, uint32_t objectFlags = 0, uint8_t subCount = 2) {
  std::vector<uint8_t> bytes = {type, 0x03, 0, 0, 0xFF, 0x01, 0x1F, 0x00};
  const bool object = type == 0x05;
  if (object) {
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(objectFlags >> (8 * i)));
    bytes.insert(bytes.end(), 16 * ((objectFlags & 1) + ((objectFlags >> 1) & 1)), 0xAB);
  }
  const uint8_t sid[] = {1, subCount, 0, 0, 0, 0, 0, 5, 32, 0, 0, 0, 0x20, 0x02, 0, 0};
  bytes.insert(bytes.end(), sid, sid + sizeof sid);
  bytes[2] = static_cast<uint8_t>(bytes.size());
  return bytes;
}

TEST(ReadEntry, FindsMaskAndIdentifierOfPlainAndObjectEntries) {
  struct Case {
    const char* name;
    std::vector<uint8_t> bytes;
    size_t sidOffset;
  } cases[] = {
      {"allow entry", EntryBytes(0), 8},
      {"object entry without types", EntryBytes(5, 0), 12},
      {"object entry with one type", EntryBytes(5, 2), 28},
      {"object entry with both types", EntryBytes(5, 3), 44},
  };
  for (const Case& c : cases) {
    const auto entry = ReadEntry(c.bytes.data(), c.bytes.size());
    ASSERT_TRUE(entry) << c.name;
    EXPECT_EQ(entry->facts.type, c.bytes[0]) << c.name;
    EXPECT_EQ(entry->facts.flags, 0x03) << c.name;
    EXPECT_EQ(entry->facts.mask, mask::kFullControl) << c.name;
    EXPECT_EQ(entry->size, c.bytes.size()) << c.name;
    EXPECT_EQ(entry->sidOffset, c.sidOffset) << c.name;
    EXPECT_EQ(entry->sidLength, 16u) << c.name;
  }
}

TEST(ReadEntry, RefusesAnEntryThatDoesNotFitAndAnIdentifierThatDoesNot) {
  const std::vector<uint8_t> bytes = EntryBytes(0);
  EXPECT_FALSE(ReadEntry(bytes.data(), bytes.size() - 1)) << "size beyond the bytes at hand";
  EXPECT_FALSE(ReadEntry(nullptr, 0));
  std::vector<uint8_t> noMask = bytes;
  noMask[2] = 6;
  EXPECT_FALSE(ReadEntry(noMask.data(), noMask.size()));

  auto sidLengthOf = [](std::vector<uint8_t> entry, size_t at, uint8_t value) {
    entry[at] = value;
    const auto layout = ReadEntry(entry.data(), entry.size());
    EXPECT_TRUE(layout);
    return layout ? layout->sidLength : 99;
  };
  EXPECT_EQ(sidLengthOf(bytes, 2, 20), 0u) << "the second sub-authority lies outside the entry";
  EXPECT_EQ(sidLengthOf(bytes, 8, 2), 0u) << "identifier revision";
  EXPECT_EQ(sidLengthOf(EntryBytes(0, 0, 16), 0, 0), 0u) << "more than 15 sub-authorities";
  EXPECT_EQ(sidLengthOf(EntryBytes(5, 3), 2, 40), 0u) << "no room after the two type identifiers";
  EXPECT_EQ(sidLengthOf(EntryBytes(5, 3), 2, 10), 0u) << "no room for the object flags";
}

}  // namespace
}  // namespace docket::rights
