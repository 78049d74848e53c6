#include "settings/PluRangeProfile.h"

#include "platform/ArchiveFile.h"
#include "platform/UserPrompt.h"

#include <string>

namespace varnel {
namespace {
constexpr MessageId kErrorSavingSetup = 61265;
}

bool SavePluRangeProfile(IFileSystem& fs, const std::string& path, const CPluRangeList& ranges)
{
    CPluRangeList stored = ranges;
    const auto saved = SaveArchiveFile(
        fs, path,
        [&](CArchive& ar) {
            ar << kPluRangeProfileVersion;
            stored.Serialize(ar);
        },
        FilePermissions::Normal);
    if (!saved) ShowMessage(kErrorSavingSetup);
    return static_cast<bool>(saved);
}

Result<void> LoadPluRangeProfile(IFileSystem& fs, const std::string& path, CPluRangeList& ranges)
{
    CPluRangeList loaded;
    auto read = LoadArchiveFile(fs, path, [&](CArchive& ar) {
        std::uint32_t version = 0;
        ar >> version;
        if (ar.Ok() && version != kPluRangeProfileVersion) {
            ar.Fail(Errc::Unsupported, "PLU range profile version " + std::to_string(version) + " is not supported");
            return;
        }
        loaded.Serialize(ar);
    });
    if (!read) return read;
    ranges = std::move(loaded);
    return {};
}

}  // namespace varnel
