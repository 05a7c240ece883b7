// Moving a file the way the running platform allows, shared by File.Move and FileManager.MoveFile.
#pragma once

#include <string>

namespace docket {

// On the NT family: one move that may cross volumes (copy and delete) and is written through,
// replacing an existing destination only when `replace` is set. Elsewhere, where no such move
// exists: a copy (failing onto an existing destination unless `replace`), then deletion of the
// source; a failed deletion leaves the copy in place.
// Returns false with the platform's last error set by the call that failed.
bool MoveFileByPlatform(const std::string& from, const std::string& to, bool replace);

}  // namespace docket
