// The communication windows: the Communication Center on both tabs and in continue mode, "Scale
// Comms", the compare results, the send selection, the busy and exit dialogs, the link setup dialogs
// in each shape, the file link's and Data Save dialogs and the Lumen dialogs.
#include "ScreenShots.h"

#include "comms/center/CommCenterForm.h"
#include "comms/center/CompareResultForm.h"
#include "comms/center/ScaleCommsForm.h"
#include "comms/center/SelectSendDataForm.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/Qd47FdSettingsForm.h"
#include "comms/filelink/Qd47LinkForm.h"
#include "comms/filelink/Qd47ProgressForm.h"
#include "comms/idenq/DataRangeFilterForm.h"
#include "comms/idenq/IdEnqComLink.h"
#include "comms/idenq/IdEnqSocketLink.h"
#include "comms/idenq/LinkSettingsForm.h"
#include "comms/idenq/ScaleSetupForm.h"
#include "comms/lumen/LumenProgressForm.h"
#include "comms/lumen/LumenRs232Link.h"
#include "comms/lumen/LumenSerialForm.h"
#include "comms/manager/CommLinksForm.h"
#include "comms/manager/CommsBusyForm.h"
#include "comms/manager/ExitVarnelForm.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/manager/NewScaleForm.h"
#include "comms/sorrel/SorrelSocketLink.h"
#include "comms/ui/CommCenterDlg.h"
#include "comms/ui/CommLinksDlg.h"
#include "comms/ui/CommsBusyDlg.h"
#include "comms/ui/CompareResultDlg.h"
#include "comms/ui/DataRangeFilterDlg.h"
#include "comms/ui/ExitVarnelDlg.h"
#include "comms/ui/LinkSettingsDlg.h"
#include "comms/ui/LumenDlgs.h"
#include "comms/ui/Qd47Dlgs.h"
#include "comms/ui/ScaleCommsDlg.h"
#include "comms/ui/ScaleSetupDlg.h"
#include "comms/ui/SelectSendDataDlg.h"
#include "db/site/GeneralSetup.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"
#include "settings/PriceZone.h"

#include <QTabWidget>

#include <memory>

namespace varnel::screens {
namespace {

// A shop's links: two network scales, one of them a block link, and a serial scale; not started.
void AddShopLinks(CIdEnqLinkList& links)
{
    const auto scale = [](std::uint16_t number, std::uint16_t family, const char* name) {
        auto made = std::make_unique<CLinkScale>();
        made->m_scaleNo = number;
        made->m_scaleType = family;
        made->m_name = name;
        return made;
    };
    auto deli = std::make_unique<CIdEnqSocketLink>();
    deli->m_linkId = 1;
    deli->m_enabled = true;
    deli->m_name = "192.168.1.21";
    deli->m_address = {192, 168, 1, 21};
    deli->m_port = 3001;
    deli->m_logging = true;
    deli->m_logFile = "/home/ann/Varnel/ScalesData/192.168.1.21.txt";
    deli->m_scales.push_back(scale(1, 0, "Deli counter"));
    deli->m_scales.front()->m_filters.push_back(std::make_unique<CLinkFilter>(2, 1, 4999));
    links.Add(std::move(deli));
    auto bakery = std::make_unique<CSorrelSocketLink>();
    bakery->m_linkId = 2;
    bakery->m_enabled = true;
    bakery->m_name = "192.168.1.22";
    bakery->m_address = {192, 168, 1, 22};
    bakery->m_port = 5041;
    bakery->m_scales.push_back(scale(2, 9, "Bakery"));
    links.Add(std::move(bakery));
    auto butcher = std::make_unique<CIdEnqComLink>();
    butcher->m_linkId = 3;
    butcher->m_name = "Master Scale (COM1)";
    butcher->m_scales.push_back(scale(3, 2, "Butcher"));
    links.Add(std::move(butcher));
}

class ShopHost final : public ICommCenterHost {
public:
    ShopHost()
    {
        kinds.kinds.set(3).set(4).set(61).set(10);
        kinds.family9 = true;
    }
    const CGeneralSetup& GetGeneralSetup() const override { return setup; }
    std::string GetScaleDataDirectory() const override { return {}; }
    KindsInUse GetKindsInUse() const override { return kinds; }
    bool SendsNutritionWithPlus() const override { return false; }
    bool HasEnabledScaleType(std::uint16_t family) const override { return family == 0 || family == 9; }
    bool IsRestrictedAccess() const override { return false; }
    bool MayTransmit() const override { return true; }
    bool MayLoad() const override { return true; }
    bool HasTableAccess(std::uint16_t, std::uint8_t) const override { return true; }
    const CMasterScale* GetCurrentDepartment() const override { return nullptr; }
    IDocument* GetDocument() const override { return nullptr; }
    const CAppEventLog* GetEventLog() const override { return nullptr; }
    void WriteEvent(std::uint16_t, const std::string&) override {}
    void PrepareSend(const SendRequests&) override {}
    bool TakeImportErrorFlag() override { return false; }
    void ClearImportErrorFlag() override {}

    CGeneralSetup setup;
    KindsInUse kinds;
};

void CommCenterScreens(ScreenShots& shots, CIdEnqLinkList& links)
{
    ShopHost host;
    CommCenterForm form(links, host);
    CCommCenterDlg dialog(form, CodePage::Western);
    shots.Take("comm-center-status", dialog);
    dialog.Tabs()->setCurrentIndex(1);
    shots.Take("comm-center-send-receive", dialog);

    CMasterScale department;
    department.m_scales.push_back(std::make_unique<CScaleDef>(1, 1));
    CommCenterForm waiting(links, host, &department);
    CCommCenterDlg continueDialog(waiting, CodePage::Western);
    shots.Take("comm-center-continue", continueDialog);
}

void ProgressScreens(ScreenShots& shots, CIdEnqLinkList& links)
{
    // Every scale disabled: the request has nothing to do, and the dialog shows as it opens.
    ScaleCommsForm scaleComms(links, {ScaleCommsForm::Mode::Poll, nullptr, nullptr, kNoDataKind, false}, {});
    CScaleCommsDlg scaleCommsDialog(scaleComms);
    shots.Take("scale-comms", scaleCommsDialog);

    CIdEnqLink& deli = *links.GetLinks()[0];
    CLinkScale& scale = *deli.m_scales.front();
    scale.m_notInDatabase = {17, 18};
    scale.m_notOnScale = {3, 4, 5};
    scale.m_different = {9};
    const ScaleDefs compared{CScaleDef(1, 1), CScaleDef(2, 2)};
    CompareResultForm one(CompareResultForm::Shape::OneScale, links, {CScaleDef(1, 1)}, {});
    CCompareResultDlg oneDialog(one, CodePage::Western);
    shots.Take("compare-result", oneDialog);
    CompareResultForm list(CompareResultForm::Shape::ScaleList, links, compared, {});
    CCompareResultDlg listDialog(list, CodePage::Western);
    shots.Take("compare-results", listDialog);

    SelectSendDataForm sendData(7, false, true);
    CSelectSendDataDlg sendDataDialog(sendData);
    shots.Take("select-send-data", sendDataDialog);

    CommsBusyForm busy(links);
    CCommsBusyDlg busyDialog(busy);
    shots.Take("comms-busy", busyDialog);
    ExitVarnelForm exit(links, nullptr);
    CExitVarnelDlg exitDialog(exit);
    shots.Take("exit-varnel", exitDialog);
}

void LinkSetupScreens(ScreenShots& shots, CIdEnqLinkList& links)
{
    CGeneralSetup setup;
    CPriceZoneList zones;
    zones.SetZone(1, "Head Office");
    zones.SetZone(2, "Harbour St");
    LinkSetupContext context;
    context.setup = &setup;
    context.priceZones = &zones;
    CommLinksForm linksForm(links, context);
    CCommLinksDlg linksDialog(linksForm, CodePage::Western);
    shots.Take("comm-links", linksDialog);
    NewScaleForm newScale(9);
    CNewScaleDlg newScaleDialog(newScale);
    shots.Take("new-scale", newScaleDialog);

    const CIdEnqLink& deli = *links.GetLinks()[0];
    const auto linkFields = [](const CIdEnqLink& link) {
        return LinkSettingsForm::LinkFields{link.m_enabled, link.m_name, link.m_linkId, link.m_logging, link.m_logFile};
    };
    const std::pair<LinkSettingsForm::Shape, const char*> oneScale[] = {
        {LinkSettingsForm::Shape::Tcp, "link-settings-tcp"},
        {LinkSettingsForm::Shape::BlockTcp, "link-settings-block"},
        {LinkSettingsForm::Shape::Serial, "link-settings-serial"}};
    for (const auto& [shape, name] : oneScale) {
        const CIdEnqLink& link = *links.GetLinks()[shape == LinkSettingsForm::Shape::BlockTcp ? 1 : 0];
        LinkSettingsForm form(shape, context, linkFields(link), *link.m_scales.front());
        form.Tcp().address = {192, 168, 1, 21};
        form.Tcp().port = shape == LinkSettingsForm::Shape::BlockTcp ? 5041 : 3001;
        CLinkSettingsDlg dialog(form, CodePage::Western);
        shots.Take(name, dialog);
    }
    ScaleNumberMap numbers{false, true, true, true};
    const std::pair<LinkSettingsForm::Shape, const char*> listShapes[] = {
        {LinkSettingsForm::Shape::TcpScales, "link-settings-tcp-scales"},
        {LinkSettingsForm::Shape::SerialScales, "link-settings-serial-scales"}};
    for (const auto& [shape, name] : listShapes) {
        LinkSettingsForm form(shape, context, linkFields(deli), links.GetLinks()[0]->m_scales, numbers);
        CLinkSettingsDlg dialog(form, CodePage::Western);
        shots.Take(name, dialog);
    }
    ScaleSetupForm scaleSetup(*deli.m_scales.front(), context);
    CScaleSetupDlg scaleSetupDialog(scaleSetup, CodePage::Western);
    shots.Take("scale-setup", scaleSetupDialog);
    DataRangeFilterForm filter(nullptr, CLinkFilter(16, 200, 299), false);
    CDataRangeFilterDlg filterDialog(filter, CodePage::Western);
    shots.Take("data-range-filter", filterDialog);
}

void FileLinkScreens(ScreenShots& shots)
{
    CQd47ComLink link;
    Qd47LinkForm linkForm(link);
    CQd47LinkDlg linkDialog(linkForm);
    shots.Take("qd47-link", linkDialog);
    const std::tuple<Qd47ProgressForm::Shape, bool, const char*> progress[] = {
        {Qd47ProgressForm::Shape::DataSave, true, "qd47-progress-receive"},
        {Qd47ProgressForm::Shape::DataSave, false, "qd47-progress-send"},
        {Qd47ProgressForm::Shape::FileServer, true, "qd47-progress-file-server"}};
    for (const auto& [shape, receiving, name] : progress) {
        Qd47ProgressForm form(shape, receiving);
        form.Post(kQd47Notice, receiving ? Qd47BlockReceived : Qd47BlockSent, receiving ? 2048 : 60);
        form.Dispatch();
        CQd47ProgressDlg dialog(form);
        shots.Take(name, dialog);
    }
    for (const bool import : {true, false}) {
        Qd47FdSettingsForm form({import, 0, 0, 0, "/home/ann/Varnel"});
        form.all = false;
        CQd47FdSettingsDlg dialog(form);
        shots.Take(import ? "qd47fd-settings-import" : "qd47fd-settings-export", dialog);
    }
    DataSaveOpenOptionsForm openOptions(DataSaveOpenOptionsForm::ImportCurrent, false);
    CDataSaveOpenOptionsDlg openOptionsDialog(openOptions);
    shots.Take("data-save-open-options", openOptionsDialog);
    SpecifyTransmitDataForm transmit;
    CSpecifyTransmitDataDlg transmitDialog(transmit);
    shots.Take("specify-transmit-data", transmitDialog);
}

void LumenScreens(ScreenShots& shots)
{
    CLumenRs232Link link;
    link.m_logging = 1;
    link.m_logFile = "/home/ann/Varnel/ScalesData/lumen-serial-trace.txt";
    LumenSerialForm serial(link);
    CLumenSerialDlg serialDialog(serial);
    shots.Take("lumen-serial", serialDialog);
    const std::unique_ptr<QDialog> addMode(MakeSendToLumenDlg(true, nullptr));
    shots.Take("send-to-lumen", *addMode);
    const std::unique_ptr<QDialog> start(MakeStartCommsDlg(CLumenLink::kLumenXt, nullptr));
    shots.Take("start-comms-on-scale", *start);
    LumenProgressForm progress(link, CLumenLink::ModeReceive, CLumenLink::kLumenXt);
    CLumenProgressDlg progressDialog(progress);
    shots.Take("lumen-progress", progressDialog);
}

}  // namespace

void AddCommsScreens(ScreenShots& shots)
{
    CIdEnqLinkList links;
    AddShopLinks(links);
    CommCenterScreens(shots, links);
    LinkSetupScreens(shots, links);
    for (const auto& link : links.GetLinks())
        for (const auto& scale : link->m_scales) scale->m_enabled = false;
    ProgressScreens(shots, links);
    FileLinkScreens(shots);
    LumenScreens(shots);
}

}  // namespace varnel::screens
