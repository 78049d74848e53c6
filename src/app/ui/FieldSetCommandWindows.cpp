// The field-set commands.
#include "app/ui/FieldSetCommandWindows.h"

#include "app/FieldSetCommands.h"
#include "app/MainFrame.h"
#include "app/ui/CommandTable.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "db/text/DoubleByteText.h"
#include "db/ui/FieldSetupDlgs.h"

namespace varnel {

void RegisterFieldSetCommands(CMainFrame& frame, MainFrameWindow& window)
{
    const auto rule = [&frame] { return CommandState{MayViewSetup(&frame.Access().m_users), std::nullopt}; };
    for (const FieldSetCommand& entry : kFieldSetCommands) {
        const auto run = [&frame, &window, &entry] {
            const auto enterPassword = [&frame, &window](const std::string& password) {
                return AskSetupPassword(password, StoreCodePage(frame.GetGeneralSetup()), &window);
            };
            (void)EditFieldSet(frame, entry, enterPassword, [&frame, &window](FieldSetupForm& form) {
                return CPluFieldSetupDlg(form, StoreCodePage(frame.GetGeneralSetup()), &window).exec() ==
                       QDialog::Accepted;
            });
        };
        window.Commands().Register(entry.command, entry.menuText, run, rule);
    }
}

}  // namespace varnel
