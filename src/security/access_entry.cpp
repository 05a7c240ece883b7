#include "security/access_entry.h"

namespace docket::rights {
namespace {

constexpr size_t kHeaderSize = 4;
constexpr size_t kMaskSize = 4;
constexpr size_t kGuidSize = 16;
constexpr uint8_t kSidRevision = 1;
constexpr uint8_t kMaxSubAuthorities = 15;

// The object entries (allowed, denied, audit, alarm, and their callback forms) carry a flags
// word and up to two type identifiers between the mask and the trustee.
bool IsObjectEntry(uint8_t type) {
  switch (type) {
    case 0x05: case 0x06: case 0x07: case 0x08:
    case 0x0B: case 0x0C: case 0x0F: case 0x10:
      return true;
    default:
      return false;
  }
}

uint32_t ReadLittle32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

}  // namespace

std::optional<EntryLayout> ReadEntry(const uint8_t* bytes, size_t available) {
  if (!bytes || available < kHeaderSize + kMaskSize) return std::nullopt;
  EntryLayout entry;
  entry.facts.type = bytes[0];
  entry.facts.flags = bytes[1];
  entry.size = static_cast<uint16_t>(bytes[2] | bytes[3] << 8);
  if (entry.size < kHeaderSize + kMaskSize || entry.size > available) return std::nullopt;
  entry.facts.mask = ReadLittle32(bytes + kHeaderSize);

  size_t offset = kHeaderSize + kMaskSize;
  if (IsObjectEntry(entry.facts.type)) {
    if (offset + 4 > entry.size) return entry;
    const uint32_t objectFlags = ReadLittle32(bytes + offset);
    offset += 4;
    if (objectFlags & 0x1) offset += kGuidSize;  // the object's type
    if (objectFlags & 0x2) offset += kGuidSize;  // the inherited object's type
  }
  // Revision, sub-authority count, 6-byte authority, then the sub-authorities.
  if (offset + 8 > entry.size) return entry;
  const uint8_t revision = bytes[offset];
  const uint8_t subAuthorities = bytes[offset + 1];
  const size_t length = 8 + 4 * static_cast<size_t>(subAuthorities);
  if (revision != kSidRevision || subAuthorities > kMaxSubAuthorities ||
      offset + length > entry.size)
    return entry;
  entry.sidOffset = offset;
  entry.sidLength = length;
  return entry;
}

}  // namespace docket::rights
