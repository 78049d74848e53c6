// The document's life cycle, its table cache and the production database beside the PLU database.
#include "app/Vrn3Doc.h"

#include "comms/manager/IdEnqLinkList.h"
#include "db/site/MainFrame.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

#include <filesystem>

namespace varnel {

CVrn3Doc::CVrn3Doc(IDocumentHost& host, IFileSystem& fs, const IClock& clock,
                   std::unique_ptr<IProdDatabase> prodDatabase)
    : m_host(host),
      m_fs(fs),
      m_clock(clock),
      m_pluDatabase(fs),
      m_prodDatabase(prodDatabase ? std::move(prodDatabase) : std::make_unique<CBasicProdDatabase>(fs))
{
    m_pluDatabase.SetFileVersion(CObjDatabase::kPluDatabaseVersion);
}

CVrn3Doc::~CVrn3Doc() = default;

void CVrn3Doc::SetUi(IDocumentUi* ui) { m_ui = ui ? ui : &m_noUi; }

bool CVrn3Doc::IsUnattended() const { return m_host.GetRunMode() != RunMode::Normal; }

bool CVrn3Doc::OnNewDocument()
{
    if (const IDocument* open = FrameSendQueue().GetDocument(); open && open != this) return false;
    const DocumentSwitches switches = m_host.GetDocumentSwitches();
    m_pluDatabase.SetShared(switches.multiUser);
    const RunMode mode = m_host.GetRunMode();
    if (mode == RunMode::Automation) {
        m_host.RegisterDocument(this);
        CacheTables();
        return true;
    }
    if (mode == RunMode::Scheduler) {
        m_host.RegisterDocument(this);
        m_ui->HideSplash();
        m_title = std::filesystem::path(m_host.GetLastDatabasePath()).filename().string();
        CacheTables();
        return true;
    }
    if (!switches.loadLastDatabase) {
        m_ui->HideSplash();
        return false;
    }
    std::string path = m_host.GetLastDatabasePath();
    if (const CMasterScale* department = m_host.GetCurrentDepartment(); department && !department->m_database.empty())
        path = department->m_database;
    if (path.empty() || !m_fs.Exists(path)) {
        FrameEventLog().WriteEvent(EventGeneral, "Error opening database: " + path);
        m_ui->HideSplash();
        return false;
    }
    (void)MakeDatedBackup(path);
    if (!OpenDatabase(path)) return false;
    if (switches.openCommsCenterAtStart && !m_host.GetLinks().GetLinks().empty() && IsOnlineCommsOn())
        m_ui->OpenCommsCenter();
    return true;
}

bool CVrn3Doc::OnOpenDocument(const std::string& path)
{
    if (m_host.GetRunMode() == RunMode::Scheduler) {
        m_ui->HideSplash();
        return true;
    }
    return OpenDatabase(path);
}

void CVrn3Doc::OnCloseDocument()
{
    (void)m_host.GetLinks().StopLinks(true);
    if (m_pluDatabase.IsOpen()) {
        const WaitCursor wait(*m_ui);
        m_host.SetLastDatabasePath(m_pluDatabase.GetPath());
        CloseDatabase();
    }
    m_host.RegisterDocument(nullptr);
}

bool CVrn3Doc::SaveModified()
{
    if (m_host.GetRunMode() == RunMode::Normal && m_host.GetDocumentSwitches().otherMakerSends && HasOrlanChanges()) {
        ShowMessage(kMsgUnsentOtherMakerChanges);
        (void)SendOrlanChanges(true);
    }
    {
        const WaitCursor wait(*m_ui);
        (void)m_host.GetLinks().StopLinks(true);
    }
    m_modified = false;
    return true;
}

void CVrn3Doc::CacheTables()
{
    m_tables.fill(nullptr);
    for (const std::uint16_t tableNo : kCachedTables) m_tables[tableNo] = m_pluDatabase.GetOrCreateTable(tableNo);
}

CObjDBTable* CVrn3Doc::GetCachedTable(std::uint16_t tableNo) const
{
    return tableNo < m_tables.size() ? m_tables[tableNo] : nullptr;
}

CPluDefTb* CVrn3Doc::GetPluTable() const { return dynamic_cast<CPluDefTb*>(GetCachedTable(CPluDefTb::kTableNo)); }

CPluPriceZoneTb* CVrn3Doc::GetPriceZoneTable() const
{
    return dynamic_cast<CPluPriceZoneTb*>(GetCachedTable(CPluPriceZoneTb::kTableNo));
}

CObjDatabase* CVrn3Doc::GetPluDatabase() const
{
    return m_pluDatabase.IsOpen() ? const_cast<CPluDatabase*>(&m_pluDatabase) : nullptr;
}

void CVrn3Doc::CacheProdTables()
{
    // Which of the general setup's five retention periods each table keeps, and its selector.
    struct Retention {
        std::size_t period;
        std::uint8_t selector;
    };
    static constexpr std::array<Retention, IProdDatabase::kTableCount> kRetention{
        {{1, 0}, {0, 0}, {1, 0}, {3, 0}, {4, 0}, {1, 1}, {2, 0}, {2, 0}, {2, 0}}};
    const DocumentSwitches switches = m_host.GetDocumentSwitches();
    for (std::uint16_t tableNo = 1; tableNo <= IProdDatabase::kTableCount; ++tableNo) {
        CObjDBTable*& cached = m_prodTables[tableNo - 1u];
        if (cached) continue;
        cached = m_prodDatabase->GetProdTable(tableNo);
        const Retention& retention = kRetention[tableNo - 1u];
        m_prodDatabase->SetRetention(tableNo, switches.retentionDays[retention.period], retention.selector);
    }
}

CObjDBTable* CVrn3Doc::GetProdTable(std::uint16_t tableNo) const
{
    return tableNo >= 1 && tableNo <= IProdDatabase::kTableCount ? m_prodTables[tableNo - 1u] : nullptr;
}

bool CVrn3Doc::OpenProdDatabase()
{
    if (m_prodDatabase->IsOpen()) return true;
    if (!m_pluDatabase.IsOpen()) return false;
    return OpenProdDatabaseAt(GetProdDatabaseName(m_pluDatabase.GetPath()));
}

bool CVrn3Doc::OpenProdDatabaseAt(const std::string& prodPath)
{
    if (m_prodDatabase->IsOpen()) (void)CloseProdDatabase();
    CacheProdTables();
    if (!prodPath.empty() && m_prodDatabase->Open(prodPath) && MigrateProdDatabase()) return true;
    (void)CloseProdDatabase();
    return false;
}

bool CVrn3Doc::CloseProdDatabase()
{
    m_prodDatabase->Close();
    ResetProdTables();
    return true;
}

bool CVrn3Doc::MigrateProdDatabase()
{
    const std::uint16_t version = m_prodDatabase->GetFileVersion();
    switch (version) {
    case IProdDatabase::kVersion: return true;
    case 150:
    case 350: m_prodDatabase->ConvertOldRecords(); break;
    case 352:
    case 353: break;
    default: return false;
    }
    const WaitCursor wait(*m_ui);
    return m_prodDatabase->SaveInCurrentFormat();
}

MessageId CVrn3Doc::ClearProdTotals(bool showErrors)
{
    if (!OpenProdDatabase()) {
        if (showErrors) ShowMessage(kMsgProdFileError);
        return kMsgProdFileError;
    }
    for (std::uint16_t tableNo = 1; tableNo <= IProdDatabase::kTableCount; ++tableNo)
        (void)m_prodDatabase->EmptyTable(tableNo);
    (void)CloseProdDatabase();
    return 0;
}

}  // namespace varnel
