// The transfer commands.
#include "app/ui/TransferCommandWindows.h"

#include "app/ComparePlusCommand.h"
#include "app/CommsCommands.h"
#include "app/LumenCommands.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/CommsCommandWindows.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/ScaleChoicePicker.h"
#include "comms/manager/SiteScales.h"
#include "comms/lumen/LumenLink.h"
#include "comms/ui/LumenDlgs.h"

#include <array>

namespace varnel {
namespace {

struct LumenCommand {
    std::uint32_t command;
    const char* text;
    bool receive;
    std::uint16_t family;
};

constexpr std::array<LumenCommand, 4> kLumenCommands = {{
    {Commands::kReceiveLumenXt, "&Receive (LumenXT/TR-5400)", true, CLumenLink::kLumenXt},
    {Commands::kReceiveLumen, "&Receive (Lumen)", true, CLumenLink::kLumen},
    {Commands::kSendLumenXt, "Send (LumenXT/TR-5400)", false, CLumenLink::kLumenXt},
    {Commands::kSendLumen, "Send (Lumen)", false, CLumenLink::kLumen},
}};

void RunLumenCommand(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document, const LumenCommand& entry)
{
    QtLumenTransferUi ui(&window);
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    LumenCommandSite site;
    site.link = &frame.LumenLink();
    site.ui = &ui;
    site.links = &frame.Links();
    site.lumenScales = LumenScaleChoices(frame.Links(), GetMasterScaleScales(frame.Departments(), nullptr), setup);
    site.pick = [&window](const std::vector<CScaleChoice>& offered) { return PickScaleChoice(offered, &window); };
    site.market = setup.m_market;
    site.ausNzNutrition = frame.IsAusNzNutrition();
    site.canEditNutrition = frame.CanEditNutrition();
    (void)(entry.receive ? ReceiveFromLumen(document, entry.family, site) : SendToLumen(document, entry.family, site));
}

}  // namespace

void RegisterTransferCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    commands.Register(Commands::kComparePlus, "Compare PLUs (Scale vs. DB)", [&frame, &document] {
        const CommCenterHost host(frame, document);
        CompareCommandSite site;
        site.links = &frame.Links();
        site.department = frame.Departments().GetCurrent();
        site.severalScalesPerLink = frame.GetGeneralSetup().m_daisyChainedComms != 0;
        site.mayTransmit = host.MayTransmit();
        site.scaleDataDirectory = frame.GetScaleDataDirectory();
        (void)ComparePlus(document, site);
    });
    commands.Register(
        Commands::kShowCommsStatus, "&Show Comms Status",
        [&frame, &document, &window] { RunCommCenterCommand(frame, document, window); },
        [&frame, &document] {
            const bool enabled = !document.IsBatchMode() && !frame.Links().GetLinks().empty() &&
                                 frame.GetGeneralSetup().m_onlineComms != 0;
            return CommandState{enabled, std::nullopt};
        });
    for (const LumenCommand& entry : kLumenCommands)
        commands.Register(entry.command, entry.text,
                          [&frame, &window, &document, &entry] { RunLumenCommand(frame, window, document, entry); });
}

}  // namespace varnel
