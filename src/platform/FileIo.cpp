// Whole reads and writes over IFile, and whole-file replacement.
#include "platform/AtomicReplace.h"

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

Result<void> ReplaceFileKeepOpen(IFileSystem& fs, const std::string& target,
                                 const std::function<Result<void>(IFile&)>& write, std::unique_ptr<IFile>& kept,
                                 FilePermissions permissions)
{
    std::string tempPath;
    auto temp = fs.CreateTempBeside(target, tempPath, permissions);
    if (!temp) return temp.GetError();
    std::unique_ptr<IFile> file = std::move(*temp);

    auto abandon = [&](const Error& error) -> Result<void> {
        file.reset();
        (void)fs.Remove(tempPath);
        return error;
    };
    if (auto written = write(*file); !written) return abandon(written.GetError());
    if (auto synced = file->Sync(); !synced) return abandon(synced.GetError());
    if (auto renamed = fs.Rename(tempPath, target); !renamed) return abandon(renamed.GetError());
    kept = std::move(file);
    return fs.SyncDirectoryOf(target);
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
    return fs.SyncDirectoryOf(target);
}

}  // namespace varnel
