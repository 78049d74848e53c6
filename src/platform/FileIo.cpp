// Whole reads and writes over IFile, and whole-file replacement.
#include "platform/AtomicReplace.h"

#include <utility>
#include <vector>

namespace varnel {

Result<void> WriteBytes(IFile& file, const void* data, std::size_t size)
{
    return file.Write(std::span(static_cast<const std::byte*>(data), size));
}

Result<void> ReadExact(IFile& file, void* data, std::size_t size)
{
    auto got = file.Read(std::span(static_cast<std::byte*>(data), size));
    if (!got) return got.GetError();
    if (*got != size) return MakeError(Errc::Corrupt, "unexpected end of file");
    return {};
}

Result<void> CopyWholeFile(IFileSystem& fs, const std::string& from, const std::string& to)
{
    auto source = fs.Open(from, FileAccess::Read);
    if (!source) return source.GetError();
    auto length = (*source)->Length();
    if (!length) return length.GetError();
    std::vector<std::byte> bytes(static_cast<std::size_t>(*length));
    if (auto read = ReadExact(**source, bytes.data(), bytes.size()); !read) return read;
    return ReplaceFile(fs, to, [&](IFile& file) { return file.Write(bytes); });
}

Result<PendingReplacement> PendingReplacement::Create(IFileSystem& fs, std::string target, FilePermissions permissions)
{
    std::string tempPath;
    auto temp = fs.CreateTempBeside(target, tempPath, permissions);
    if (!temp) return temp.GetError();
    return PendingReplacement(fs, std::move(target), std::move(tempPath), std::move(*temp));
}

PendingReplacement::PendingReplacement(IFileSystem& fs, std::string target, std::string tempPath,
                                       std::unique_ptr<IFile> file)
    : m_fs(&fs), m_target(std::move(target)), m_tempPath(std::move(tempPath)), m_file(std::move(file))
{
}

PendingReplacement::PendingReplacement(PendingReplacement&& other) noexcept
    : m_fs(other.m_fs), m_target(std::move(other.m_target)), m_tempPath(std::exchange(other.m_tempPath, {})),
      m_file(std::move(other.m_file))
{
}

PendingReplacement::~PendingReplacement() { Abandon(); }

void PendingReplacement::Abandon()
{
    if (m_tempPath.empty()) return;
    m_file.reset();
    (void)m_fs->Remove(std::exchange(m_tempPath, {}));
}

Result<void> PendingReplacement::Commit(std::unique_ptr<IFile>* kept)
{
    const auto abandon = [this](const Error& error) -> Result<void> {
        Abandon();
        return error;
    };
    if (m_tempPath.empty()) return MakeError(Errc::Io, "the replacement was already put in place or dropped");
    if (auto synced = m_file->Sync(); !synced) return abandon(synced.GetError());
    if (auto renamed = m_fs->Rename(m_tempPath, m_target); !renamed) return abandon(renamed.GetError());
    m_tempPath.clear();
    if (kept)
        *kept = std::move(m_file);
    else
        m_file.reset();
    m_fs->RemoveStaleTempsBeside(m_target);
    return m_fs->SyncDirectoryOf(m_target);
}

Result<void> ReplaceFileKeepOpen(IFileSystem& fs, const std::string& target,
                                 const std::function<Result<void>(IFile&)>& write, std::unique_ptr<IFile>& kept,
                                 FilePermissions permissions)
{
    auto replacement = PendingReplacement::Create(fs, target, permissions);
    if (!replacement) return replacement.GetError();
    if (auto written = write(replacement->File()); !written) return written.GetError();
    return replacement->Commit(&kept);
}

Result<void> ReplaceFile(IFileSystem& fs, const std::string& target, const std::function<Result<void>(IFile&)>& write,
                         FilePermissions permissions)
{
    std::unique_ptr<IFile> closedAtOnce;
    return ReplaceFileKeepOpen(fs, target, write, closedAtOnce, permissions);
}

Result<void> ReplaceFileByName(IFileSystem& fs, const std::string& target,
                               const std::function<Result<void>(const std::string& tempPath)>& build)
{
    std::string tempPath;
    if (auto temp = fs.CreateTempBeside(target, tempPath, FilePermissions::Normal); !temp) return temp.GetError();

    auto abandon = [&](const Error& error) -> Result<void> {
        (void)fs.Remove(tempPath);
        return error;
    };
    if (auto built = build(tempPath); !built) return abandon(built.GetError());
    auto reopened = fs.Open(tempPath, FileAccess::ReadWrite);
    if (!reopened) return abandon(reopened.GetError());
    auto synced = (*reopened)->Sync();
    reopened->reset();
    if (!synced) return abandon(synced.GetError());
    if (auto renamed = fs.Rename(tempPath, target); !renamed) return abandon(renamed.GetError());
    fs.RemoveStaleTempsBeside(target);
    return fs.SyncDirectoryOf(target);
}

}  // namespace varnel
