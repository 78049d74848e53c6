#include "app/ui/CommsCommandWindows.h"

#include "app/CommsCommands.h"
#include "app/MainFrame.h"
#include "app/SetupCommands.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/RecordPickers.h"

#include <QMenu>

namespace varnel {

void RegisterCommsCommands(CMainFrame& frame, IDocumentHost& host, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    commands.Register(Commands::kTransmitReceive, "&Transmit/Receive Scale Data...",
                      [&frame, &document, &window] {
                          (void)OpenCommCenter(frame, document, nullptr, MakeCommCenterPicker(frame, document, &window));
                      });
    commands.Register(
        Commands::kCommsOnLine, "&Comms (On-Line)",
        [&frame, &host, &document, &window] {
            if (EditCommsLinks(frame, host, document)) window.UpdateFrameTitle();
        },
        [&frame] { return CommandState{MayViewSetup(&frame.Access().m_users), std::nullopt}; });
    QMenu* file = window.GetMenu(MainFrameWindow::Menu::File);
    file->insertAction(file->actions().value(0), commands.Action(Commands::kTransmitReceive));
    file->insertSeparator(file->actions().value(1));
    window.GetMenu(MainFrameWindow::Menu::Setup)->addAction(commands.Action(Commands::kCommsOnLine));
}

}  // namespace varnel
