// A new empty file with a name the platform makes up: the first three characters of a prefix, a
// hexadecimal number and ".tmp", in a folder, trying numbers until one names no file yet.
#pragma once

#include "fsobjects/file_path.h"

#include <string>

namespace docket {

// Both texts in the system code page (as ToPlatformPath gives them); the created file's path, or
// the platform's error.
PlatformPath MakeTemporaryFile(const std::string& folder, const std::string& prefix);

}  // namespace docket
