#include "db/store/WritableDatabaseFile.h"

#include "platform/UserPrompt.h"

namespace varnel {

namespace {
constexpr MessageId kMsgDatabaseReadOnly = 61401;
}

bool EnsureWritableDatabaseFile(std::string& path, std::string_view defaultExtension, std::string_view fileName,
                                std::string_view filter, IFileSystem& fs)
{
    const auto readOnly = fs.IsReadOnly(path);
    if (!readOnly) return false;
    if (!*readOnly) return true;

    ShowMessage(kMsgDatabaseReadOnly);
    for (;;) {
        const auto chosen = AskSaveFileName(defaultExtension, fileName, filter);
        if (!chosen) return false;
        if (auto copied = CopyWholeFile(fs, path, *chosen); !copied) {
            ShowMessageText(copied.GetError().message, MessageButtons::Ok, MessageIcon::Information);
            continue;
        }
        if (fs.ClearReadOnly(*chosen)) {
            path = *chosen;
            return true;
        }
    }
}

}  // namespace varnel
