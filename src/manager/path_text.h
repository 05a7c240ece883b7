#pragma once

// String-only half of the FileManager path functions. Nothing here touches the file
// system or includes a Windows header, so it also builds natively for the sanitizer lane.
// The COM methods own every platform call (absolute form, temporary files, current
// directory) and the ANSI/UTF-16 conversions; they hand the resulting bytes to these.
//
//   GetParentFolderName: R = absolute form of ParentQuery(path); "" if OrdersAtOrBefore(path, R).
//   GetFileName / GetBaseName / GetExtensionName: FinalComponent(absolute, offset of the
//   platform's file part), then BaseName or ExtensionName of that component.
//
// Every text is the ANSI form of a script's string. Like the fixed C buffers the path
// limits come from, a text ends at its first NUL byte. Only '\' is a separator here, and only
// where it stands as a character of its own: `lead` gives the lead bytes of the system code
// page, whose double-byte characters may end in the byte of '\'.

#include "com/lead_bytes.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace docket::pathtext {

inline constexpr std::size_t kNoFinalComponent = std::string_view::npos;

// Joins path and name with exactly one '\' between them; "" when either exceeds kMaxPath.
std::string BuildPath(std::string_view path, std::string_view name, const text::LeadBytes& lead);

// "x:" for a drive-letter path; the whole text for \\server\share or longer, unless it ends in '\'.
std::string DriveName(std::string_view path, const text::LeadBytes& lead);

// The query whose absolute form is the parent folder of path: path followed by "\..".
std::string ParentQuery(std::string_view path);

// Ordinal UTF-16 comparison a <= b: a path ordering at or before its computed parent has none.
bool OrdersAtOrBefore(std::u16string_view a, std::u16string_view b) noexcept;
// The same for wide text, so a BSTR's units can be compared where they are (16-bit on Windows).
bool OrdersAtOrBefore(std::wstring_view a, std::wstring_view b) noexcept;

// The text from finalPos (the platform's final-component offset) on; "" for kNoFinalComponent.
std::string FinalComponent(std::string_view absolute, std::size_t finalPos);

// The component cut at its last '.' (the dot goes too); unchanged when it has no dot.
std::string BaseName(std::string_view component, const text::LeadBytes& lead);

// The text after the component's last '.'; "" when it has no dot.
std::string ExtensionName(std::string_view component, const text::LeadBytes& lead);

}  // namespace docket::pathtext
