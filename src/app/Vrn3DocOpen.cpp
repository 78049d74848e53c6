// Opening, converting, backing up, saving under a new name and closing the PLU database.
#include "app/Vrn3Doc.h"

#include "app/DatedBackup.h"
#include "app/KeyboardTables.h"
#include "app/PluMigration.h"
#include "comms/idenq/LinkScale.h"
#include "comms/manager/IdEnqLinkList.h"
#include "db/site/MainFrame.h"
#include "db/plu/PluDefTb.h"
#include "db/plu/PluPriceZoneTb.h"
#include "db/store/WritableDatabaseFile.h"
#include "keyboards/KeyboardList.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "scaledata/CampaignTb.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScale.h"

#include <filesystem>

namespace varnel {
namespace {

std::string FileNamePart(const std::string& path) { return std::filesystem::path(path).filename().string(); }

void WriteErrorEvent(const std::string& text)
{
    FrameEventLog().WriteEvent(EventGeneral, text);
}

}  // namespace

bool CVrn3Doc::FailOpen()
{
    (void)m_pluDatabase.Close();
    CacheTables();
    m_ui->HideSplash();
    return false;
}

void CVrn3Doc::SetOpenedPath(const std::string& path)
{
    m_title = FileNamePart(path);
    m_host.SetLastDatabasePath(path);
}

bool CVrn3Doc::OpenDatabase(const std::string& requested)
{
    const WaitCursor wait(*m_ui);
    if (m_pluDatabase.IsOpen()) CloseDatabase();
    CacheTables();
    std::string path = requested;
    if (m_fs.Exists(path)) {
        if (!EnsureWritableDatabaseFile(path, m_host.GetDatabaseExtension(), FileNamePart(path),
                                        m_host.GetDatabaseFilter(), m_fs)) {
            ShowMessage(kMsgCannotLoad);
            return FailOpen();
        }
    } else {
        m_pluDatabase.CreateAllTables();
        if (!m_pluDatabase.Create(path)) {
            ShowMessage(kMsgCannotLoad);
            return FailOpen();
        }
    }
    m_pluDatabase.SetShared(m_host.GetDocumentSwitches().multiUser);
    m_pluDatabase.SetLastError(Error{Errc::Io, {}});
    if (!m_pluDatabase.Open(path)) {
        // A ".pld" file of a version the store does not read was reported by the store itself.
        const std::uint16_t version = m_pluDatabase.GetFileVersion();
        const bool versionShown = !m_pluDatabase.IsDaoMode() && version != CObjDatabase::kVersionUnread &&
                                  !m_pluDatabase.IsFileVersionAccepted(version);
        if (!m_pluDatabase.GetLastErrorText().empty())
            ShowMessageText(m_pluDatabase.GetLastErrorText());
        else if (!versionShown)
            ShowMessage(kMsgCannotLoad);
        return FailOpen();
    }
    m_host.RegisterDocument(this);
    if (!MigrateDatabase()) {
        m_host.RegisterDocument(nullptr);
        return FailOpen();
    }
    if (CMasterScale* department = m_host.GetCurrentDepartment();
        department && m_pluDatabase.GetPath() != requested)
        department->m_database = m_pluDatabase.GetPath();
    SetOpenedPath(m_pluDatabase.GetPath());
    const bool startLinks = IsOnlineCommsOn();
    if (startLinks) m_host.GetLinks().StartLinks(this, m_host.GetLinkRoles(), true);
    m_host.SetLinksStarted(startLinks);
    m_ui->HideSplash();
    m_ui->OpenListWindow();
    return true;
}

bool CVrn3Doc::OpenDatabaseFile(const std::string& path)
{
    if (m_pluDatabase.IsOpen() && m_pluDatabase.GetPath() == path) return true;
    m_pluDatabase.SetShared(m_host.GetDocumentSwitches().multiUser);
    const WaitCursor wait(*m_ui);
    CloseDatabase();
    CacheTables();
    if (!m_pluDatabase.Open(path)) {
        (void)m_pluDatabase.Close();
        CacheTables();
        return false;
    }
    m_modified = false;
    SetOpenedPath(path);
    m_ui->OpenListWindow();
    return true;
}

void CVrn3Doc::CloseDatabase()
{
    CloseEditorWindows();
    m_ui->DiscardListWindow();
    if (m_pluDatabase.IsOpen()) {
        if (CPluDefTb* plus = GetPluTable()) plus->WritePosUpdateLine(nullptr, 'C', false);
        if (m_pluDatabase.IsDaoMode() || m_pluDatabase.NeedsCompact()) (void)m_pluDatabase.Compact();
        (void)m_pluDatabase.Close();
    }
    CacheTables();
}

bool CVrn3Doc::ReloadDatabase()
{
    if (!m_pluDatabase.IsOpen()) return false;
    const WaitCursor wait(*m_ui);
    const std::string path = m_pluDatabase.GetPath();
    m_ui->DiscardListWindow();
    (void)m_pluDatabase.Close();
    CacheTables();
    // A database that does not open again is reported as such, not as reloaded.
    const bool reopened = m_pluDatabase.Open(path);
    if (!reopened) {
        (void)m_pluDatabase.Close();
        CacheTables();
    } else {
        m_ui->OpenListWindow();
    }
    m_ui->UpdateAllViews();
    return reopened;
}

bool CVrn3Doc::SaveDatabaseAs()
{
    const auto chosen = AskSaveFileName(m_host.GetDatabaseExtension(), FileNamePart(m_pluDatabase.GetPath()),
                                        m_host.GetDatabaseFilter());
    if (!chosen) return false;
    const WaitCursor wait(*m_ui);
    if (!m_pluDatabase.SaveAs(*chosen)) {
        ShowMessage(kMsgSaveError);
        return false;
    }
    SetOpenedPath(*chosen);
    return true;
}

bool CVrn3Doc::MigrateDatabase()
{
    const std::uint16_t version = m_pluDatabase.GetFileVersion();
    const MigrationStep step = GetMigrationStep(version);
    if (step == MigrationStep::Unsupported) {
        ShowMessage(kMsgUnsupportedVersion);
        return false;
    }
    if (step != MigrationStep::Current) {
        // Everything below changes the tables in memory only; the file changes only when the converted
        // database replaces it as a whole, stamped with the current version.
        const bool pld = !m_pluDatabase.IsDaoMode();
        if (pld && HasOldRecordLayout(version)) m_pluDatabase.ConvertAllRecords();
        if (ShowMessage(kMsgPreviousVersion, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
            return false;
        ConvertTables(m_pluDatabase, step, pld);
        if (step == MigrationStep::OldRowsAndTextV) {
            if (!SaveDatabaseAs()) return false;
            ConvertOldCampaigns(m_pluDatabase);
            ConvertOldStoreRecord(m_pluDatabase);
            return true;
        }
        // The keyboards go to the frame's list only once the converted database is saved.
        ConvertedKeyboards keyboards;
        if (version < 326) {
            migration::SetOldLayoutDefaults(m_pluDatabase);
            keyboards = ConvertKeyboards();
        }
        const CMasterScale* department = m_host.GetCurrentDepartment();
        if (department && !department->m_database.empty()) {
            const WaitCursor wait(*m_ui);
            if (!m_pluDatabase.SaveAs(m_pluDatabase.GetPath())) {
                ShowMessage(kMsgSaveError);
                return false;
            }
        } else if (!SaveDatabaseAs()) {
            return false;
        }
        if (CKeyboardList* list = m_host.GetKeyboardList())
            for (auto& [number, keyboard] : keyboards.keyboards) list->SetKeyboard(number, std::move(keyboard));
    }
    if (CPluPriceZoneTb* zones = GetPriceZoneTable()) (void)zones->RemoveDuplicateEntries();
    return true;
}

ConvertedKeyboards CVrn3Doc::ConvertKeyboards()
{
    KeyboardTableSources sources;
    sources.existing = m_host.GetKeyboardList();
    sources.layoutOf = [this](std::uint16_t sysType) { return m_host.GetLayoutKeyboard(sysType); };
    const std::uint16_t defaultFamily = m_host.GetDocumentSwitches().defaultFamily;
    sources.defaultFamily = defaultFamily;
    sources.scaleFamily = [this, defaultFamily](std::uint16_t scaleNo) -> std::optional<std::uint16_t> {
        const CLinkScale* scale = m_host.GetLinks().FindScale(scaleNo);
        if (!scale) return std::nullopt;
        return scale->GetScaleType(defaultFamily);
    };
    ConvertedKeyboards keyboards = ConvertKeyboardTables(m_pluDatabase, sources);
    if (keyboards.unmatched) ShowMessage(kMsgUnmatchedKeyboards);
    return keyboards;
}

bool CVrn3Doc::MakeDatedBackup(const std::string& path)
{
    if (!m_host.GetDocumentSwitches().autoBackup) return true;
    CDatedBackup backup(m_fs, m_clock);
    if (auto made = backup.Make(path, m_host.GetBackupDirectory()); !made) {
        WriteErrorEvent(FormatMessage(kMsgBackupFailed, path.c_str(), made.GetError().message.c_str()));
        return false;
    }
    return true;
}

}  // namespace varnel
