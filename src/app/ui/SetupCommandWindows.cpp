// The main frame's settings commands.
#include "app/ui/SetupCommandWindows.h"

#include "app/MainFrame.h"
#include "app/SetupCommands.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "db/text/DoubleByteText.h"
#include "settings/ui/EMailSettingsDlg.h"
#include "settings/ui/HostInterfaceDlg.h"

#include <QMenu>

namespace varnel {

void RegisterSetupCommands(CMainFrame& frame, MainFrameWindow& window)
{
    CommandTable& commands = window.Commands();
    const auto setupRule = [&frame] { return CommandState{MayViewSetup(&frame.Access().m_users), std::nullopt}; };
    commands.Register(
        Commands::kHostInterface, "Host Interface",
        [&frame, &window] {
            EditHostInterface(frame, [&window](HostInterfaceForm& form) {
                return CHostInterfaceDlg(form, &window).exec() == QDialog::Accepted;
            });
        },
        setupRule);
    commands.Register(Commands::kEMailSettings, "e-Mail Settings", [&frame, &window] {
        EditEMailSettings(frame, [&frame, &window](CEMailSettings& settings) {
            return CEMailSettingsDlg(settings, StoreCodePage(frame.GetGeneralSetup()), &window).exec() ==
                   QDialog::Accepted;
        });
    });
    QMenu* setup = window.GetMenu(MainFrameWindow::Menu::Setup);
    setup->addAction(commands.Action(Commands::kHostInterface));
    setup->addAction(commands.Action(Commands::kEMailSettings));
}

}  // namespace varnel
