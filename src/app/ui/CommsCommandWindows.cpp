#include "app/ui/CommsCommandWindows.h"

#include "app/CommsCommands.h"
#include "app/FrameRun.h"
#include "app/MainFrame.h"
#include "app/SetupCommands.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/RecordPickers.h"
#include "db/site/TextRules.h"


namespace varnel {

void RunCommCenterCommand(CMainFrame& frame, CVrn3Doc& document, MainFrameWindow& window)
{
    (void)OpenCommCenter(frame, document, nullptr, MakeCommCenterPicker(frame, document, &window));
    if (IMessageWindow* target = frame.GetRun().window.load()) target->Post(kCommsStateChangedMessage, 0, 0);
}

void RegisterCommsCommands(CMainFrame& frame, IDocumentHost& host, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    commands.Register(Commands::kTransmitReceive, "&Transmit/Receive Scale Data...",
                      [&frame, &document, &window] { RunCommCenterCommand(frame, document, window); });
    const auto enterPassword = [&frame, &window](const std::string& password) {
        return AskSetupPassword(password, StoreCodePage(frame.GetGeneralSetup()), &window);
    };
    const auto maySetup = [&frame] { return CommandState{MayViewSetup(&frame.Access().m_users), std::nullopt}; };
    commands.Register(
        Commands::kCommsOnLine, "&Comms (On-Line)",
        [&frame, &host, &document, &window, enterPassword] {
            if (EditCommsLinks(frame, host, document, enterPassword)) window.UpdateFrameTitle();
        },
        maySetup);
    commands.Register(
        Commands::kCommsDataSave, "Co&mms (Data Save)", [&frame, enterPassword] { (void)EditDataSaveComms(frame, enterPassword); },
        maySetup);
    commands.Register(
        Commands::kCommsLumen, "Comms (&Lumen - RS232C)", [&frame, enterPassword] { (void)EditLumenComms(frame, enterPassword); },
        maySetup);
}

}  // namespace varnel
