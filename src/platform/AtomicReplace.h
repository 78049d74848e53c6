// Replacing a whole file without ever leaving it half written.
#pragma once

#include "platform/FileSystem.h"

#include <functional>
#include <memory>
#include <string>

namespace varnel {

// Writes a new version of `target` through `write` and puts it in place of the old one:
//   1. a uniquely named temporary file in the target's own directory (a rename never crosses
//      file systems, and no fixed work-file name can collide with another writer);
//   2. `write` fills it; the file is synced, so its bytes are on disk before its name is;
//   3. rename over the target: readers see the old file or the new one, never a mixture;
//   4. the directory is synced, so the new directory entry survives a power failure.
// On any failure before step 3 the temporary file is removed and the target stays as it was.
// The new file has `permissions` from its creation on: a file for its owner alone is never readable
// by others, not even while it is being written.
Result<void> ReplaceFile(IFileSystem& fs, const std::string& target, const std::function<Result<void>(IFile&)>& write,
                         FilePermissions permissions = FilePermissions::Normal);

// The same, keeping the new file open with its deny-write lock, so no other opener can slip in
// between the rename and a reopen. `kept` receives it as soon as it stands in place of the target
// (step 3), even when the directory sync then fails: a caller that goes on writing through it must
// never write on into the file it replaced.
Result<void> ReplaceFileKeepOpen(IFileSystem& fs, const std::string& target,
                                 const std::function<Result<void>(IFile&)>& write, std::unique_ptr<IFile>& kept,
                                 FilePermissions permissions = FilePermissions::Normal);

// The same steps for a file that another library writes by its name (the database engine):
// `build` receives the path of a new, empty, uniquely named file beside the target and fills it;
// the file is not held open or locked meanwhile, since the engine takes locks of its own on it.
Result<void> ReplaceFileByName(IFileSystem& fs, const std::string& target,
                               const std::function<Result<void>(const std::string& tempPath)>& build);

}  // namespace varnel
