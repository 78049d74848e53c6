// Appending to a log file. A log is opened, appended to and closed around each write, as every writer
// (the user interface and the link threads) may write to the same file. One lock for all log files of
// the process is held from the open to the close, so appends from several threads never interleave
// and a trim never replaces a file between another writer's open and its write.
#pragma once

#include "platform/FileSystem.h"

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

// Held while a log file is replaced as a whole (trims), so no append is lost in the swap.
std::unique_lock<std::recursive_mutex> LockLogFiles();

class LogFile {
public:
    enum class Mode {
        AppendOrCreate,  // created when missing
        AppendExisting,  // nothing when missing
        CreateEmpty      // created anew, emptied when it exists
    };

    // The file open and positioned at its end, or nothing when it cannot be opened (or has no name).
    static std::optional<LogFile> Open(IFileSystem& fs, const std::string& path, Mode mode);

    // Whether this open created the file (a custom log then writes its header line first).
    bool WasCreated() const { return m_created; }
    Result<void> Append(std::string_view text);

private:
    LogFile(std::unique_lock<std::recursive_mutex> lock, std::unique_ptr<IFile> file, bool created);

    std::unique_lock<std::recursive_mutex> m_lock;
    std::unique_ptr<IFile> m_file;
    bool m_created;
};

// The whole content of an open log, read from its start.
Result<std::string> ReadLogContent(IFile& file);

}  // namespace varnel
