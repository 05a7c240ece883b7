// The forms in which a script names a drive: a letter (C), a letter and colon (C:), a root (C:\),
// a UNC share (\\server\share) or any other existing path. Strings only: no Windows header, so
// this builds natively for the sanitizer tests.
#pragma once

#include "com/lead_bytes.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace docket::drivespec {

// The longest text that counts as a drive root; anything longer must exist as a path.
inline constexpr std::size_t kRootLength = 3;

// "C" and "C:" become the root "C:\"; every other text is returned unchanged.
std::string CompleteRoot(std::string_view spec);

// The text begins with two backslashes (a UNC share, or a device path such as \\?\C:\).
bool IsUnc(std::string_view path);
bool IsUnc(std::wstring_view path);

// What Drive.Path shows: a UNC path whole, any other up to its first backslash (C:\ gives C:).
std::wstring DisplayName(std::wstring_view drivePath);

// The root the volume queries take: the drive path with a closing backslash, which the
// platform requires of a share (\\server\share\); an empty path stays empty. `lead` gives the
// lead bytes of the code page the path is in.
std::string QueryRoot(std::string_view drivePath, const text::LeadBytes& lead);

// The drive that holds an absolute path: its first three characters (C:\), or for a UNC path the
// server and share (\\server\share), or the whole path when it has no share part.
std::wstring ItemRoot(std::wstring_view fullPath);

}  // namespace docket::drivespec
