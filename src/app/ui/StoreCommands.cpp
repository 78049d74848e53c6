// The store, store settings, tray, label batch and advertising message commands.
#include "app/ui/StoreCommands.h"

#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/RecordPickers.h"
#include "app/ui/ScaleChoicePicker.h"
#include "comms/manager/SiteScales.h"
#include "db/site/TextRules.h"
#include "scaledata/CampaignTb.h"
#include "pluedit/SelectionListForm.h"
#include "scaledata/ScrollMsgTb.h"
#include "scaledata/StoreNameTb.h"
#include "scaledata/StoreSetupTb.h"
#include "scaledata/TrayTb.h"
#include "scaledata/ui/StoreWindows.h"

namespace varnel {
namespace {

struct StoreCommand {
    std::uint32_t command;
    const char* menuText;
    std::uint16_t table;
    bool confirmOffline;  // asks the frame first while the links are not started
};

// The family whose scales hold one campaign only.
constexpr std::uint16_t kSingleCampaignFamily = 2;

constexpr StoreCommand kStoreCommands[] = {
    {32785, "&Campaigns", CCampaignTb::kTableNo, true},
    {32786, "&Advertising Messages", CScrollMsgTb::kTableNo, true},
    {32789, "&Store Name (TR-5300/LumenXT)", CStoreNameTb::kTableNo, true},
    {32800, "&Batch Label Printing", CLabelBatchTb::kTableNo, true},
    {32905, "&Store Settings", CStoreSetupTb::kTableNo, false},
    {32986, "&Store Name (VM, 5400-series)", CStoreSetupTb::kTableNo, false},
    {32929, "Tray Settings", CTrayTb::kTableNo, false},
};

// The document's data picker over the scales that print label batches.
std::optional<CScaleChoice> ChooseBatchScale(CMainFrame& frame, QWidget* parent)
{
    const CGeneralSetup& setup = frame.GetGeneralSetup();
    const CIdEnqLinkList& links = frame.Links();
    const std::vector<CScaleChoice> choices =
        BuildScaleChoiceList(links, GetMasterScaleScales(frame.Departments(), nullptr), setup, true);
    const auto supports = [&](const CScaleChoice& choice) {
        const CIdEnqLink* link = links.FindLink(choice.linkId);
        const CLinkScale* scale = link ? link->FindScale(choice.scaleId) : nullptr;
        return scale && CLabelBatchTb::TakesFamily(scale->GetScaleType(setup.m_defaultScaleFamily));
    };
    const auto pick = [parent](const std::vector<CScaleChoice>& offered) { return PickScaleChoice(offered, parent); };
    return SelectScaleForData(choices, supports, pick);
}

// Print... of a batch: its jobs run to the chosen scale in "Scale Comms", which shows how it ended.
void PrintBatch(CMainFrame& frame, CVrn3Doc& document, QWidget* parent, const SendRequests& jobs)
{
    const std::optional<CScaleChoice> chosen = ChooseBatchScale(frame, parent);
    if (!chosen) return;
    const ScaleDefs one{CScaleDef(chosen->linkId, chosen->scaleId)};
    (void)document.RunSendDialog(true, jobs, &one);
}

}  // namespace

void RegisterStoreCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    for (const StoreCommand& entry : kStoreCommands) {
        const auto run = [&frame, &window, &document, &entry] {
            if (!document.IsDatabaseOpen()) return;
            if (entry.confirmOffline && !frame.ConfirmOfflineEdit()) return;
            const StoreWindowSite site{document.GetDatabase(), StoreCodePage(frame.GetGeneralSetup()), &window};
            switch (entry.command) {
            case 32785:
                return OpenCampaigns(site, FramePluPicker(frame, document, &window),
                                     frame.GetGeneralSetup().m_defaultScaleFamily == kSingleCampaignFamily);
            case 32786: return OpenAdvertisingMessages(site);
            case 32789: return OpenStoreNames(site);
            case 32905:
            case 32986: return (void)RunStoreList(site, SelectionListForm::kCloseOnly, 0);
            case 32929: return (void)RunTrayList(site, SelectionListForm::kCloseOnly, 0);
            default:
                OpenLabelBatches(site, FramePluPicker(frame, document, &window),
                                 [&frame, &window, &document](const SendRequests& jobs) {
                                     PrintBatch(frame, document, &window, jobs);
                                 });
            }
        };
        const auto rule = [&frame, &document, &entry] {
            return CommandState{document.IsDatabaseOpen() && frame.HasTableAccess(entry.table, 1), std::nullopt};
        };
        window.Commands().Register(entry.command, entry.menuText, run, rule);
    }
}

}  // namespace varnel
