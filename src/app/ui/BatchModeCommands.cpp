// The batch mode commands.
#include "app/ui/BatchModeCommands.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetupList.h"

namespace varnel {

constexpr std::uint32_t kStartBatchMode = 32880;
constexpr std::uint32_t kEndBatchMode = 32883;

void RegisterBatchModeCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    const auto allowed = [&frame, &document](bool inBatchMode) {
        return document.IsDatabaseOpen() && document.IsBatchMode() == inBatchMode &&
               frame.Access().m_users.AllowBatchMode();
    };
    commands.Register(
        kStartBatchMode, "&Start Batch Mode...",
        [&window, &document] {
            if (document.StartBatchMode()) window.UpdateFrameTitle();
        },
        [allowed] { return CommandState{allowed(false), std::nullopt}; });
    commands.Register(
        kEndBatchMode, "End &Batch Mode...",
        [&window, &document] {
            if (document.EndBatchMode()) window.UpdateFrameTitle();
        },
        [allowed] { return CommandState{allowed(true), std::nullopt}; });
}

}  // namespace varnel
