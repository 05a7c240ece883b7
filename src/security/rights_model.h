// The rights vocabulary of scripts and how an access-control entry's 32-bit mask converts into
// it. The conversion differs between NT 4 and Windows 2000 and later, so every value carries the
// major system version it was made for. No platform header: the values are the platform's own.
#pragma once

#include <array>
#include <cstdint>

namespace docket::rights {

// Rights a script speaks of (QFPermissionRights); a rights value is a bit set of these.
inline constexpr uint32_t kNoAccess = 0x1;
inline constexpr uint32_t kRead = 0x2;
inline constexpr uint32_t kWrite = 0x4;
inline constexpr uint32_t kExecute = 0x8;
inline constexpr uint32_t kDelete = 0x10;
inline constexpr uint32_t kPermissions = 0x20;  // change permissions
inline constexpr uint32_t kOwner = 0x40;        // take ownership
inline constexpr uint32_t kList = 0x100;
inline constexpr uint32_t kReadExecute = 0x200;
inline constexpr uint32_t kModify = 0x400;
inline constexpr uint32_t kFull = kRead | kWrite | kExecute | kDelete | kPermissions | kOwner;

// Access-mask bits of the platform.
namespace mask {
inline constexpr uint32_t kDelete = 0x00010000;
inline constexpr uint32_t kReadControl = 0x00020000;
inline constexpr uint32_t kWriteDac = 0x00040000;
inline constexpr uint32_t kWriteOwner = 0x00080000;
inline constexpr uint32_t kGenericAll = 0x10000000;
inline constexpr uint32_t kGenericExecute = 0x20000000;
inline constexpr uint32_t kGenericWrite = 0x40000000;
inline constexpr uint32_t kGenericRead = 0x80000000;
inline constexpr uint32_t kFileGenericRead = 0x00120089;
inline constexpr uint32_t kFileGenericWrite = 0x00120116;
inline constexpr uint32_t kFileGenericExecute = 0x001200A0;
inline constexpr uint32_t kFullControl = 0x001F01FF;         // every file right
inline constexpr uint32_t kFullControlNoSync = 0x000F01FF;   // the same without synchronise
inline constexpr uint32_t kModifyGroup = 0x000301BF;
inline constexpr uint32_t kReadExecuteGroup = 0x000200A9;    // also "list folder contents"
inline constexpr uint32_t kWriteGroup = 0x00000116;
}  // namespace mask

// Entry types and flags of the platform's access-control entries.
inline constexpr uint8_t kAllowEntry = 0;
inline constexpr uint8_t kDenyEntry = 1;
inline constexpr uint8_t kObjectInherit = 0x01;
inline constexpr uint8_t kContainerInherit = 0x02;
inline constexpr uint8_t kInheritOnly = 0x08;

// The first system version with the Windows 2000 rights and right groups.
inline constexpr uint32_t kWindows2000 = 5;

// True when every bit of `bits` is set in `value`.
constexpr bool Holds(uint32_t value, uint32_t bits) { return (value & bits) == bits; }

// What the conversion looks at in one entry.
struct EntryFacts {
  uint8_t type = kAllowEntry;
  uint8_t flags = 0;
  uint32_t mask = 0;
};

// The rights value of one entry.
struct RightsValue {
  uint32_t rights = 0;
  bool generic = false;  // the mask was read as generic rights (object-inherit entry)
  uint32_t systemVersion = 0;

  bool Has(uint32_t right) const { return Holds(rights, right); }
};

// Converts an entry's mask. Only a deny entry is ever treated as one; every other type converts
// its mask, and those entries count as allowing.
RightsValue RightsOf(const EntryFacts& entry, uint32_t systemVersion);

// The Windows 2000 right groups and their states in one entry (QFAccessType).
enum Group { kFullControlGroup, kReadGroup, kWriteGroup, kListContentsGroup, kModifyGroup,
             kReadExecuteGroup, kGroupCount };
inline constexpr int32_t kGroupAllow = 1;
inline constexpr int32_t kGroupDeny = 2;
inline constexpr int32_t kGroupNotSet = 3;
using GroupStates = std::array<int32_t, kGroupCount>;

// The groups an entry sets. Computed on Windows 2000 only (version exactly 5); elsewhere, and
// for inherit-only container entries or entries that neither allow nor deny, nothing is set.
GroupStates GroupStatesOf(const EntryFacts& entry, uint32_t systemVersion);

// What an entry applies to (QFPermissionRightsType): folders for an entry of a folder's list that
// does not pass to files, files otherwise.
inline constexpr int32_t kFileRights = 1;
inline constexpr int32_t kDirRights = 2;
constexpr int32_t RightsTypeOf(bool fileItem, uint8_t flags) {
  return !fileItem && !(flags & kObjectInherit) ? kDirRights : kFileRights;
}

}  // namespace docket::rights
