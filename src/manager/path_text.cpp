#include "manager/path_text.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

#include "com/path_limits.h"

namespace docket::pathtext {
namespace {

constexpr char kSeparator = '\\';
constexpr std::string_view kSeparators = "\\";

// Scripts can hand us strings with embedded NULs; the work buffers these functions model
// would have stopped there, so the rest of the text never takes part.
std::string_view AsCString(std::string_view text) noexcept {
    return text.substr(0, text.find('\0'));
}

bool EndsWithSeparator(std::string_view path, const text::LeadBytes& lead) {
    return text::EndsWithOneOf(path, kSeparators, lead);
}

bool StartsWithSeparator(std::string_view text) noexcept {
    return !text.empty() && text.front() == kSeparator;
}

bool IsDriveLetterForm(std::string_view path, const text::LeadBytes& lead) {
    // The locale's own alphabet decides, so a script running under another code page
    // gets that code page's letters, exactly as the C library classifies them.
    return text::SecondCharacterIs(path, ':', lead) &&
           std::isalpha(static_cast<unsigned char>(path[0])) != 0;
}

bool IsServerShareForm(std::string_view path, const text::LeadBytes& lead) {
    if (path.size() <= 2 || path[0] != kSeparator || path[1] != kSeparator) return false;
    const std::size_t lastSeparator = text::FindLastOf(path, kSeparators, lead);
    // \\server, \\server\ and \\server\share\ name no share; anything else is kept whole.
    return lastSeparator > 1 && lastSeparator != path.size() - 1;
}

// Code units compare as unsigned 16-bit values whatever the width of the caller's type
// (wchar_t is 16 bits on Windows but 32 on Linux), unit by unit, the shorter text first.
template <class Unit>
bool UnitsAtOrBefore(std::basic_string_view<Unit> a, std::basic_string_view<Unit> b) noexcept {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto left = static_cast<std::uint16_t>(a[i]);
        const auto right = static_cast<std::uint16_t>(b[i]);
        if (left != right) return left < right;
    }
    return a.size() <= b.size();
}

}  // namespace

std::string BuildPath(std::string_view path, std::string_view name, const text::LeadBytes& lead) {
    path = AsCString(path);
    name = AsCString(name);
    if (!FitsPathBuffer(path.size()) || !FitsPathBuffer(name.size())) return {};

    const bool pathEnds = EndsWithSeparator(path, lead);
    const bool nameStarts = StartsWithSeparator(name);
    if (pathEnds && nameStarts) path.remove_suffix(1);

    std::string joined;
    joined.reserve(path.size() + name.size() + 1);
    joined.append(path);
    if (!pathEnds && !nameStarts && !path.empty() && !name.empty()) joined.push_back(kSeparator);
    joined.append(name);
    return joined;
}

std::string DriveName(std::string_view path, const text::LeadBytes& lead) {
    path = AsCString(path);
    if (!FitsPathBuffer(path.size())) return {};
    if (IsDriveLetterForm(path, lead)) return std::string(path.substr(0, 2));
    if (IsServerShareForm(path, lead)) return std::string(path);
    return {};
}

std::string ParentQuery(std::string_view path) {
    std::string query(AsCString(path));
    query.append("\\..");
    return query;
}

bool OrdersAtOrBefore(std::u16string_view a, std::u16string_view b) noexcept {
    return UnitsAtOrBefore(a, b);
}

bool OrdersAtOrBefore(std::wstring_view a, std::wstring_view b) noexcept {
    return UnitsAtOrBefore(a, b);
}

std::string FinalComponent(std::string_view absolute, std::size_t finalPos) {
    absolute = AsCString(absolute);
    if (finalPos == kNoFinalComponent || finalPos > absolute.size()) return {};
    return std::string(absolute.substr(finalPos));
}

std::string BaseName(std::string_view component, const text::LeadBytes& lead) {
    component = AsCString(component);
    return std::string(component.substr(0, text::FindLastOf(component, ".", lead)));
}

std::string ExtensionName(std::string_view component, const text::LeadBytes& lead) {
    component = AsCString(component);
    const std::size_t lastDot = text::FindLastOf(component, ".", lead);
    if (lastDot == std::string_view::npos) return {};
    return std::string(component.substr(lastDot + 1));
}

}  // namespace docket::pathtext
