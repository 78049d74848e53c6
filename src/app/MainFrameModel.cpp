// The adapter over the main frame.
#include "app/MainFrameModel.h"

#include "app/ChildFrames.h"
#include "app/CommsStatus.h"
#include "app/MainFrame.h"
#include "app/ToolBars.h"
#include "app/Vrn3Doc.h"
#include "comms/idenq/LinkScale.h"
#include "db/site/MainFrame.h"
#include "platform/Profile.h"

namespace varnel {

namespace {
constexpr std::string_view kApplicationTitle = "Varnel";
}

MainFrameModel::MainFrameModel(CMainFrame& frame) : m_frame(frame) {}

RunMode MainFrameModel::GetRunMode() const
{
    return m_frame.GetRun().options.mode;
}

int MainFrameModel::GetMainToolBar(int screenWidth) const
{
    const bool departments = !m_frame.Departments().GetDepartments().empty();
    return ChooseMainToolBar(departments, m_frame.EventLog().ScaleStatusLogOn != 0, screenWidth);
}

std::string MainFrameModel::GetCommsStatusText() const
{
    const FrameRun& run = m_frame.GetRun();
    const bool quiet = run.options.mode != RunMode::Normal;
    return CommsStatusText(GatherCommsStatus(m_frame.Links(), m_frame.Departments().GetCurrent(),
                                             m_frame.IsOnlineCommsActive(), quiet, run.activity));
}

std::string MainFrameModel::GetFrameTitle(const IFrameDocument* active) const
{
    const CUserSetup* user = m_frame.GetUserList()->GetCurrentUser();
    return MainFrameTitle({std::string(kApplicationTitle), user != nullptr ? user->m_name : std::string(), active});
}

RestoredPlacement MainFrameModel::GetRestoredPlacement() const
{
    const FrameRun& run = m_frame.GetRun();
    return RestoreWindowPlacement(*run.profile,
                                  run.options.mode == RunMode::Scheduler && run.options.switches.startMinimised);
}

void MainFrameModel::SaveOnClose(const ClosingPlacement& placement)
{
    FrameRun& run = m_frame.GetRun();
    SaveAtExit({run.options.mode, placement, m_frame.GetLastDatabasePath(), run.schedulePath, &run.recentFiles},
               *run.profile, *this);
}

IFrameDocument* MainFrameModel::GetFrameDocument() const
{
    return m_document;
}

const CUserSetupList* MainFrameModel::GetUsers() const
{
    return m_frame.GetUserList();
}

std::string MainFrameModel::GetDataSourceName() const
{
    return m_frame.GetDataSourceName();
}

std::string MainFrameModel::GetSchedulePath() const
{
    return m_frame.GetRun().schedulePath;
}

int MainFrameModel::GetMarket() const
{
    return m_frame.GetGeneralSetup().m_market;
}

std::pair<int, int> MainFrameModel::GetSearchWindowSize() const
{
    return m_frame.GetRun().searchWindowSize;
}

void MainFrameModel::SetSearchWindowSize(int width, int height)
{
    m_frame.GetRun().searchWindowSize = {width, height};
}

void MainFrameModel::OnDataSaveReceived()
{
    if (m_document != nullptr && m_openDataSave) m_openDataSave();
}

bool MainFrameModel::IsGeneralSetupLoaded() const
{
    return m_frame.IsGeneralSetupLoaded();
}

bool MainFrameModel::IsSiteSetupLoaded() const
{
    return m_frame.IsSiteSetupLoaded();
}

bool MainFrameModel::SaveGeneralSetup()
{
    return m_frame.SaveGeneralSetup(m_frame.GetGeneralSetupPath());
}

bool MainFrameModel::SaveSiteSetup()
{
    return m_frame.SaveSiteSetup(m_frame.GetSiteSetupPath());
}

DocumentSwitches MainFrameModel::GetDocumentSwitches() const
{
    const CGeneralSetup& setup = m_frame.GetGeneralSetup();
    DocumentSwitches switches;
    switches.multiUser = setup.m_multiUserAccess != 0;
    switches.loadLastDatabase = setup.m_autoLoadDatabase != 0;
    switches.autoBackup = setup.m_autoBackup != 0;
    switches.openCommsCenterAtStart = setup.m_commsStatusAtStartup != 0;
    switches.ausNzNutrition = m_frame.IsAusNzNutrition();
    switches.otherMakerSends = setup.m_orlanComms != 0;
    switches.retentionDays = {setup.m_keepHourlyDays, setup.m_keepOperatorDays, setup.m_keepPluDays,
                              setup.m_keepRewrapDays, setup.m_keepNextDayDays};
    switches.defaultFamily = setup.m_defaultScaleFamily;
    return switches;
}

void MainFrameModel::RegisterDocument(CVrn3Doc* document)
{
    m_document = document;
    m_frame.SetDocument(document);
}

std::string MainFrameModel::GetLastDatabasePath() const
{
    return m_frame.GetLastDatabasePath();
}

void MainFrameModel::SetLastDatabasePath(const std::string& path)
{
    m_frame.SetLastDatabasePath(path);
    m_frame.GetRun().recentFiles.Add(path);
}

CMasterScale* MainFrameModel::GetCurrentDepartment() const
{
    return m_frame.Departments().FindById(m_frame.Departments().GetCurrentId());
}

std::string MainFrameModel::GetBackupDirectory() const
{
    return m_frame.GetBackupDirectory();
}

CIdEnqLinkList& MainFrameModel::GetLinks()
{
    return m_frame.Links();
}

void MainFrameModel::SetLinksStarted(bool started)
{
    // The status pane follows the links' state too, not only their activity.
    FrameRun& run = m_frame.GetRun();
    run.linksStarted = started;
    if (IMessageWindow* window = run.window.load()) window->Post(kCommsStateChangedMessage, 0, 0);
}

std::string MainFrameModel::GetDatabaseFilter() const
{
    return m_frame.GetDatabaseFileFilter().filter;
}

std::string MainFrameModel::GetDatabaseExtension() const
{
    return m_frame.GetDatabaseFileFilter().extension;
}

bool MainFrameModel::NextListJobRecord(std::uint32_t kind, const CLinkScaleSettings& scale, IEventLog& log,
                                       KeyCursor& cursor, std::uint32_t last, ScaleRecordOut& out, KeyCursor& key)
{
    // On a link's worker the rules are those pinned for its pass.
    const TextRules rules = CurrentTextRules();
    const COperatorList& operators = m_frame.Operators();
    switch (kind) {
    case SendOperators: return operators.GetNextSendRecord(scale, rules, log, cursor, last, out, key);
    case SendOperatorDeletes: return operators.GetNextDeleteRecord(scale, rules, log, cursor, last, out, key);
    default: return false;
    }
}

bool MainFrameModel::StoreListRecord(std::uint16_t dataKind, CLinkScale& scale, std::span<const std::uint8_t> record)
{
    constexpr std::uint16_t kOperatorKind = 13;
    return dataKind == kOperatorKind && m_frame.Operators().ReceiveRecord(scale, CurrentTextRules(), record);
}

CKeyboardList* MainFrameModel::GetKeyboardList()
{
    return &m_frame.Keyboards();
}

const CKeyboard* MainFrameModel::GetLayoutKeyboard(std::uint16_t sysType) const
{
    return &m_frame.GetLayoutKeyboard(sysType);
}

}  // namespace varnel
