// Before a database is opened: a read-only database file is first copied, by the user's choice, to a
// file that can be written.
#pragma once

#include "platform/FileSystem.h"

#include <string>
#include <string_view>

namespace varnel {

// True when `path` can be opened for writing, if need be after the user saved a writable copy under
// a new name, which `path` then names. False when the file's status cannot be read or the user cancels.
bool EnsureWritableDatabaseFile(std::string& path, std::string_view defaultExtension, std::string_view fileName,
                                std::string_view filter, IFileSystem& fs = RealFileSystem());

}  // namespace varnel
