// Whole archive files over the file-system seam.
#include "platform/ArchiveFile.h"

#include "platform/AtomicReplace.h"

#include <limits>
#include <vector>

namespace varnel {
namespace {

Error NamingPath(Error error, const std::string& path)
{
    error.message = "\"" + path + "\": " + error.message;
    return error;
}

Result<std::vector<std::uint8_t>> ReadWholeFile(IFile& file, const std::string& path)
{
    if (auto start = file.Seek(0); !start) return start.GetError();
    auto length = file.Length();
    if (!length) return length.GetError();
    if (*length > std::numeric_limits<std::size_t>::max())
        return MakeError(Errc::Unsupported, "\"" + path + "\" is too large to read");
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(*length));
    if (auto read = ReadExact(file, bytes.data(), bytes.size()); !read) return read.GetError();
    return bytes;
}

}  // namespace

Result<void> LoadArchiveFile(IFileSystem& fs, const std::string& path, const std::function<void(CArchive&)>& serialize)
{
    auto opened = fs.Open(path, FileAccess::Read);
    if (!opened) return opened.GetError();
    return LoadArchiveFromFile(**opened, path, serialize);
}

Result<void> LoadArchiveFromFile(IFile& file, const std::string& path, const std::function<void(CArchive&)>& serialize)
{
    auto bytes = ReadWholeFile(file, path);
    if (!bytes) return bytes.GetError();
    if (auto loaded = LoadArchive(*bytes, serialize); !loaded) return NamingPath(loaded.GetError(), path);
    return {};
}

Result<void> SaveArchiveFile(IFileSystem& fs, const std::string& path, const std::function<void(CArchive&)>& serialize,
                             FilePermissions permissions)
{
    auto bytes = SaveArchive(serialize);
    if (!bytes) return NamingPath(bytes.GetError(), path);
    return ReplaceFile(
        fs, path, [&](IFile& file) { return WriteBytes(file, bytes->data(), bytes->size()); }, permissions);
}

}  // namespace varnel
