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

// The same steps for a file that is filled over time (a transfer from a scale) rather than by one
// call: Create makes the temporary file beside the target, the caller writes into File(), and Commit
// syncs it and puts it in place. A replacement destroyed uncommitted removes its temporary file, so a
// failed or cancelled transfer leaves the target as it was.
class PendingReplacement {
public:
    static Result<PendingReplacement> Create(IFileSystem& fs, std::string target,
                                             FilePermissions permissions = FilePermissions::Normal);
    PendingReplacement(PendingReplacement&& other) noexcept;
    PendingReplacement& operator=(PendingReplacement&&) = delete;
    PendingReplacement(const PendingReplacement&) = delete;
    PendingReplacement& operator=(const PendingReplacement&) = delete;
    ~PendingReplacement();

    IFile& File() { return *m_file; }
    // Steps 2 to 4 above; `kept`, when given, receives the file still open as soon as it stands in
    // place of the target. On failure before the rename the temporary file is removed.
    Result<void> Commit(std::unique_ptr<IFile>* kept = nullptr);

private:
    PendingReplacement(IFileSystem& fs, std::string target, std::string tempPath, std::unique_ptr<IFile> file);
    void Abandon();

    IFileSystem* m_fs;
    std::string m_target;
    std::string m_tempPath;  // empty once committed or abandoned
    std::unique_ptr<IFile> m_file;
};

// The same steps for a file that another library writes by its name (the database engine):
// `build` receives the path of a new, empty, uniquely named file beside the target and fills it;
// the file is not held open or locked meanwhile, since the engine takes locks of its own on it.
Result<void> ReplaceFileByName(IFileSystem& fs, const std::string& target,
                               const std::function<Result<void>(const std::string& tempPath)>& build);

}  // namespace varnel
