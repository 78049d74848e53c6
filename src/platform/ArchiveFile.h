// Archive files: a whole file read and loaded through an archive, or stored through one and put in
// place of the old file in one step (ReplaceFile), so a failed save leaves the old file as it was.
#pragma once

#include "platform/Archive.h"
#include "platform/FileSystem.h"

#include <functional>
#include <string>

namespace varnel {

// Reads the whole of `path` and runs `serialize` over it as a loading archive. Errors name the path.
Result<void> LoadArchiveFile(IFileSystem& fs, const std::string& path, const std::function<void(CArchive&)>& serialize);

// The same over a file already open (and perhaps locked), read from its start; `path` names it in errors.
Result<void> LoadArchiveFromFile(IFile& file, const std::string& path, const std::function<void(CArchive&)>& serialize);

// Runs `serialize` over a storing archive and, when it stored cleanly, replaces `path` with its bytes.
// Files that hold passwords ask for FilePermissions::OwnerOnly.
Result<void> SaveArchiveFile(IFileSystem& fs, const std::string& path, const std::function<void(CArchive&)>& serialize,
                             FilePermissions permissions);

}  // namespace varnel
