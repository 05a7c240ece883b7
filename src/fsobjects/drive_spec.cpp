#include "fsobjects/drive_spec.h"

namespace docket::drivespec {
namespace {

template <class Char>
bool BeginsWithTwoBackslashes(std::basic_string_view<Char> path) {
  return path.size() >= 2 && path[0] == Char('\\') && path[1] == Char('\\');
}

}  // namespace

std::string CompleteRoot(std::string_view spec) {
  std::string root(spec);
  if (spec.size() == 1) root += ":\\";
  if (spec.size() == 2) root += '\\';
  return root;
}

bool IsUnc(std::string_view path) { return BeginsWithTwoBackslashes(path); }
bool IsUnc(std::wstring_view path) { return BeginsWithTwoBackslashes(path); }

std::wstring DisplayName(std::wstring_view drivePath) {
  if (IsUnc(drivePath)) return std::wstring(drivePath);
  return std::wstring(drivePath.substr(0, drivePath.find(L'\\')));
}

std::string QueryRoot(std::string_view drivePath, const text::LeadBytes& lead) {
  std::string root(drivePath);
  if (!root.empty() && !text::EndsWithOneOf(root, "\\", lead)) root += '\\';
  return root;
}

std::wstring ItemRoot(std::wstring_view fullPath) {
  if (!IsUnc(fullPath)) return std::wstring(fullPath.substr(0, kRootLength));
  // \\server\share\rest: up to the backslash after the share, which stays out.
  const std::size_t serverEnd = fullPath.find(L'\\', 2);
  if (serverEnd == std::wstring_view::npos) return std::wstring(fullPath);
  return std::wstring(fullPath.substr(0, fullPath.find(L'\\', serverEnd + 1)));
}

}  // namespace docket::drivespec
