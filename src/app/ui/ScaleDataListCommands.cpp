// The scale-data list commands.
#include "app/ui/ScaleDataListCommands.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "db/site/TextRules.h"
#include "scaledata/ui/ScaleDataListWindows.h"

namespace varnel {

void RegisterScaleDataListCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    for (const ScaleDataListCommand& entry : kScaleDataListCommands) {
        const auto run = [&frame, &window, &document, &entry] {
            if (!document.IsDatabaseOpen()) return;
            if (entry.confirmOffline && !frame.ConfirmOfflineEdit()) return;
            const ScaleDataListSite site{document.GetDatabase(), frame.GetExtraMessageSetsInUse(),
                                         StoreCodePage(frame.GetGeneralSetup()), &window};
            (void)OpenScaleDataList(entry.command, site);
        };
        const auto rule = [&frame, &document, &entry] {
            return CommandState{document.IsDatabaseOpen() && frame.HasTableAccess(entry.table, 1), std::nullopt};
        };
        window.Commands().Register(entry.command, entry.menuText, run, rule);
    }
}

}  // namespace varnel
