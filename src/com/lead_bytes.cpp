#include "com/lead_bytes.h"

namespace docket::text {
namespace {

// Calls visit(offset) for each character from `from` on that is one of the single-byte characters
// of `set`, until visit answers false.
template <class Visit>
void ForEachOneOf(std::string_view bytes, std::string_view set, const LeadBytes& lead,
                  std::size_t from, Visit&& visit) {
  for (std::size_t at = from, size = 0; at < bytes.size(); at += size) {
    size = CharacterSize(bytes, at, lead);
    if (size == 1 && set.find(bytes[at]) != std::string_view::npos && !visit(at)) return;
  }
}

}  // namespace

std::size_t WholeCharacterBytes(std::string_view bytes, const LeadBytes& lead, std::size_t characters,
                                bool atEnd) {
  const std::size_t size = bytes.size();
  std::size_t at = 0;
  for (std::size_t counted = 0; at < size && counted < characters; ++counted) {
    if (!lead[static_cast<unsigned char>(bytes[at])]) {
      ++at;
    } else if (at + 1 < size) {
      at += 2;
    } else {
      if (atEnd) ++at;
      break;
    }
  }
  return at;
}

std::size_t FindFirstOf(std::string_view bytes, std::string_view set, const LeadBytes& lead,
                        std::size_t from) {
  std::size_t found = std::string_view::npos;
  ForEachOneOf(bytes, set, lead, from, [&](std::size_t at) {
    found = at;
    return false;
  });
  return found;
}

std::size_t FindLastOf(std::string_view bytes, std::string_view set, const LeadBytes& lead) {
  std::size_t found = std::string_view::npos;
  ForEachOneOf(bytes, set, lead, 0, [&](std::size_t at) {
    found = at;
    return true;
  });
  return found;
}

bool EndsWithOneOf(std::string_view bytes, std::string_view set, const LeadBytes& lead) {
  return !bytes.empty() && FindLastOf(bytes, set, lead) == bytes.size() - 1;
}

std::size_t CountOf(std::string_view bytes, std::string_view set, const LeadBytes& lead) {
  std::size_t count = 0;
  ForEachOneOf(bytes, set, lead, 0, [&](std::size_t) {
    ++count;
    return true;
  });
  return count;
}

}  // namespace docket::text
