#include "app/CommsCommands.h"

#include "app/MainFrame.h"
#include "app/SetupFlags.h"
#include "app/Vrn3Doc.h"
#include "comms/dialogs/CommsDialogs.h"
#include "db/plu/PluDefTb.h"
#include "settings/UserSetupList.h"

namespace varnel {
namespace {

constexpr std::size_t kSetupTableNo = 1;
constexpr std::uint8_t kRightUpdate = 2;

}  // namespace

KindsInUse KindsInUseOf(const CMainFrame& frame)
{
    KindsInUse inUse;
    for (const KindFlag& entry : kKindFlags)
        if (frame.GetSetupFlag(entry.flag)) inUse.kinds.set(entry.kind);
    inUse.family9 = frame.GetSetupFlag(kFlagFamily9);
    inUse.family9Market10 = frame.GetSetupFlag(kFlagFamily9Market10);
    inUse.departmentsAndGroups = frame.GetSetupFlag(kFlagDeptGroupNames);
    inUse.ausNzNutrition = frame.IsAusNzNutrition();
    return inUse;
}

const CGeneralSetup& CommCenterHost::GetGeneralSetup() const { return m_frame.GetGeneralSetup(); }
std::string CommCenterHost::GetScaleDataDirectory() const { return m_frame.GetScaleDataDirectory(); }
KindsInUse CommCenterHost::GetKindsInUse() const { return KindsInUseOf(m_frame); }
// The Australian and New Zealand layout sends nutrition and ingredients with every PLU.
bool CommCenterHost::SendsNutritionWithPlus() const { return m_frame.IsAusNzNutrition(); }
bool CommCenterHost::HasEnabledScaleType(std::uint16_t family) const { return m_frame.HasEnabledScaleType(family); }
bool CommCenterHost::IsRestrictedAccess() const { return m_frame.Access().m_users.IsRestrictedAccess(); }
bool CommCenterHost::MayTransmit() const { return m_frame.Access().m_users.AllowTransmitToScales(); }
bool CommCenterHost::MayLoad() const { return m_frame.Access().m_users.AllowLoadFromScales(); }
bool CommCenterHost::HasTableAccess(std::uint16_t table, std::uint8_t mask) const
{
    return m_frame.HasTableAccess(table, mask);
}
const CMasterScale* CommCenterHost::GetCurrentDepartment() const { return m_frame.Departments().GetCurrent(); }
IDocument* CommCenterHost::GetDocument() const { return m_document.IsDatabaseOpen() ? &m_document : nullptr; }
const CAppEventLog* CommCenterHost::GetEventLog() const { return &m_frame.EventLog(); }
void CommCenterHost::WriteEvent(std::uint16_t kind, const std::string& text) { m_frame.WriteEvent(kind, text); }

void CommCenterHost::PrepareSend(const SendRequests& jobs)
{
    if (!m_document.IsDatabaseOpen()) return;
    (void)m_document.GetDatabase().SendChangeEntries(m_frame, false);
    m_document.QueuePosUpdatesForSend(jobs);
}

bool CommCenterHost::TakeImportErrorFlag()
{
    const bool set = m_frame.GetInvalidRecordFlag() != 0;
    m_frame.SetInvalidRecordFlag(0);
    return set;
}

void CommCenterHost::ClearImportErrorFlag() { m_frame.SetInvalidRecordFlag(0); }

std::optional<std::uint32_t> CommCenterHost::PickRecord(std::uint16_t kind, std::uint32_t current)
{
    return pickRecord ? pickRecord(kind, current) : std::nullopt;
}

bool OpenCommCenter(CMainFrame& frame, CVrn3Doc& document, const CMasterScale* continueFor,
                    const std::function<std::optional<std::uint32_t>(std::uint16_t, std::uint32_t)>& pickRecord)
{
    CommCenterHost host(frame, document);
    host.pickRecord = pickRecord;
    CommCenterForm form(frame.Links(), host, continueFor);
    ICommsDialogs* dialogs = GetCommsDialogs();
    return dialogs && dialogs->RunCommCenter(form) && form.GetOutcome() == true;
}

LinkSetupContext MakeLinkSetupContext(CMainFrame& frame, CVrn3Doc& document)
{
    LinkSetupContext context;
    context.setup = &frame.GetGeneralSetup();
    context.priceZones = &frame.PriceZones();
    context.database = document.IsDatabaseOpen() ? document.GetPluDatabase() : nullptr;
    context.document = &document;
    context.departments = &frame.Departments();
    context.eventLog = &frame.EventLog();
    context.scaleDataDirectory = frame.GetScaleDataDirectory();
    context.allowSetupChange = [&frame] { return CheckUserPermission(frame, kSetupTableNo, kRightUpdate, true); };
    context.hasSetupRight = [&frame](std::uint8_t mask) { return frame.HasTableAccess(kSetupTableNo, mask); };
    return context;
}

bool EditCommsLinks(CMainFrame& frame, IDocumentHost& host, CVrn3Doc& document, const EnterSetupPassword& enterPassword)
{
    if (!PassSetupPassword(frame.GetGeneralSetup(), enterPassword)) return false;
    CIdEnqLinkList& links = frame.Links();
    bool changed = false;
    if (links.WaitWithBusyDialog(nullptr) == 0) {
        (void)links.StopLinks(true);
        changed = links.EditLinks(MakeLinkSetupContext(frame, document));
        if (changed) {
            (void)frame.SaveSiteSetup(frame.GetSiteSetupPath());
            frame.RecalcSetupFlags();
        }
    }
    const bool online = frame.GetGeneralSetup().m_onlineComms != 0;
    if (online) links.StartLinks(&document, LinkRoles::Of(frame), true);
    host.SetLinksStarted(online);
    return changed;
}

bool EditDataSaveComms(CMainFrame& frame, const EnterSetupPassword& enterPassword)
{
    return RunSettingsListCommand(frame, {true, false, false, false}, enterPassword, [&frame] {
        return frame.Qd47Link().EditSettings(
            [&frame] { return CheckUserPermission(frame, kSetupTableNo, kRightUpdate, true); });
    });
}

bool EditLumenComms(CMainFrame& frame, const EnterSetupPassword& enterPassword)
{
    return RunSettingsListCommand(frame, {true, false, false, false}, enterPassword,
                                  [&frame] { return frame.LumenLink().Setup(); });
}

}  // namespace varnel
