#include "app/SetupFiles.h"

#include "platform/ArchiveFile.h"

#include <chrono>

namespace varnel {
namespace {
constexpr std::chrono::milliseconds kRetryWait{1500};
}

Result<std::unique_ptr<IFile>> OpenSetupFile(IFileSystem& fs, const IClock& clock, const std::string& path,
                                             FileAccess access)
{
    auto opened = fs.Open(path, access, FileShare::DenyWrite);
    if (opened) return opened;
    SleepFor(clock, kRetryWait);
    return fs.Open(path, access, FileShare::DenyWrite);
}

Result<void> SaveSetupFile(IFileSystem& fs, const IClock& clock, const std::string& path,
                           const std::function<void(CArchive&)>& serialize)
{
    // A new file has no other writer to keep out.
    std::unique_ptr<IFile> held;
    if (fs.Exists(path)) {
        auto locked = OpenSetupFile(fs, clock, path, FileAccess::ReadWrite);
        if (!locked) return locked.GetError();
        held = std::move(*locked);
    }
    return SaveArchiveFile(fs, path, serialize, FilePermissions::OwnerOnly);
}

std::uint32_t VersionNumber(const std::string& text)
{
    std::uint32_t number = 0;
    for (char c : text) {
        if (c < '0' || c > '9' || number > 99999999) break;
        number = number * 10 + static_cast<std::uint32_t>(c - '0');
    }
    return number;
}

}  // namespace varnel
