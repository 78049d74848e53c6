#include "settings/LogFile.h"

#include <limits>

namespace varnel {

std::unique_lock<std::recursive_mutex> LockLogFiles()
{
    // Recursive: a writer holding a custom log open may write an event line on the same thread.
    static std::recursive_mutex logFiles;
    return std::unique_lock(logFiles);
}

LogFile::LogFile(std::unique_lock<std::recursive_mutex> lock, std::unique_ptr<IFile> file, bool created)
    : m_lock(std::move(lock)), m_file(std::move(file)), m_created(created)
{
}

std::optional<LogFile> LogFile::Open(IFileSystem& fs, const std::string& path, Mode mode)
{
    if (path.empty()) return std::nullopt;
    auto lock = LockLogFiles();
    const bool existed = fs.Exists(path);
    if (mode == Mode::AppendExisting && !existed) return std::nullopt;
    auto opened = fs.Open(path, mode == Mode::CreateEmpty ? FileAccess::Create : FileAccess::OpenAlways);
    if (!opened) return std::nullopt;
    std::unique_ptr<IFile> file = std::move(*opened);
    auto length = file->Length();
    if (!length || !file->Seek(*length)) return std::nullopt;
    return LogFile(std::move(lock), std::move(file), !existed || mode == Mode::CreateEmpty);
}

Result<void> LogFile::Append(std::string_view text) { return WriteBytes(*m_file, text.data(), text.size()); }

Result<std::string> ReadLogContent(IFile& file)
{
    auto length = file.Length();
    if (!length) return length.GetError();
    if (*length > std::numeric_limits<std::size_t>::max()) return MakeError(Errc::Unsupported, "log too large");
    if (auto rewound = file.Seek(0); !rewound) return rewound.GetError();
    std::string bytes(static_cast<std::size_t>(*length), '\0');
    if (auto read = ReadExact(file, bytes.data(), bytes.size()); !read) return read.GetError();
    return bytes;
}

}  // namespace varnel
