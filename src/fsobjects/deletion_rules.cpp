#include "fsobjects/deletion_rules.h"

#include <cstddef>

namespace docket::deletion {
namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The parts of a path between separators, empty ones not counted. The second byte of a
// double-byte character is part of a name whatever its value.
std::size_t ComponentCount(std::string_view path, const text::LeadBytes& lead) {
  std::size_t count = 0;
  bool inComponent = false;
  for (std::size_t at = 0, size = 0; at < path.size(); at += size) {
    size = text::CharacterSize(path, at, lead);
    if (size == 1 && IsSeparator(path[at])) {
      inComponent = false;
    } else if (!inComponent) {
      inComponent = true;
      ++count;
    }
  }
  return count;
}

bool StartsWithLetters(std::string_view text, std::string_view upperPrefix) {
  if (text.size() < upperPrefix.size()) return false;
  for (std::size_t i = 0; i < upperPrefix.size(); ++i) {
    const char c = text[i] >= 'a' && text[i] <= 'z' ? static_cast<char>(text[i] - 'a' + 'A') : text[i];
    if (c != upperPrefix[i]) return false;
  }
  return true;
}

}  // namespace

Removal RemovalFor(std::uint32_t attributes) {
  if (!(attributes & kDirectoryAttribute)) return Removal::File;
  return (attributes & kReparsePointAttribute) ? Removal::Link : Removal::Tree;
}

bool IsVolumeRoot(std::string_view path, const text::LeadBytes& lead) {
  // "\\?\C:\", "\\.\Volume{...}\", "\\?\UNC\server\share\": the volume is what follows the prefix.
  if (path.size() >= 4 && IsSeparator(path[0]) && IsSeparator(path[1]) &&
      (path[2] == '?' || path[2] == '.') && IsSeparator(path[3])) {
    const std::string_view rest = path.substr(4);
    if (StartsWithLetters(rest, "UNC") && rest.size() > 3 && IsSeparator(rest[3]))
      return ComponentCount(rest.substr(4), lead) <= 2;
    return ComponentCount(rest, lead) <= 1;
  }
  // "\\server\share": a share's root holds the server's name and the share's.
  if (path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
    return ComponentCount(path.substr(2), lead) <= 2;
  if (text::SecondCharacterIs(path, ':', lead)) return ComponentCount(path.substr(2), lead) == 0;
  return ComponentCount(path, lead) == 0;
}

}  // namespace docket::deletion
