// The database and department commands.
#include "app/DatabaseCommands.h"

#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "db/plu/PluDatabase.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScale.h"

#include <algorithm>
#include <cctype>

namespace varnel {
namespace {

FileRequest DatabaseRequest(const CMainFrame& frame, FileRequest::Kind kind)
{
    const CMainFrame::DatabaseFileFilter files = frame.GetDatabaseFileFilter();
    FileRequest request;
    request.kind = kind;
    request.defaultExtension = files.extension.starts_with('.') ? files.extension.substr(1) : files.extension;
    request.fileName = files.pattern;
    request.filter = files.filter;
    return request;
}

// Opens the current department's database after "Change Department"; false when none was chosen.
bool OpenChosenDepartment(FrameCommandSite& site)
{
    CMasterScaleList& departments = site.frame.Departments();
    if (!site.ui.ChooseCurrentDepartment(departments) || departments.GetCurrent() == nullptr) return false;
    const std::string path = departments.GetCurrentDatabase();
    if (!site.frame.FileSystem().Exists(path)) {
        ShowMessage(kDepartmentDatabaseMissing);
        return false;
    }
    return SwitchDatabase(site, path);
}

}  // namespace

bool SameFileName(const std::string& left, const std::string& right)
{
    return std::equal(left.begin(), left.end(), right.begin(), right.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
}

bool CreateEmptyDatabase(IFileSystem& fs, const std::string& path)
{
    // A database another copy of the program holds open is never replaced under it.
    std::unique_ptr<IFile> held;
    if (fs.Exists(path)) {
        auto locked = fs.Open(path, FileAccess::ReadWrite, FileShare::DenyWrite);
        if (!locked) {
            ShowMessage(kDatabaseNotCreated);
            return false;
        }
        held = std::move(*locked);
    }
    CPluDatabase database(fs);
    database.CreateAllTables();
    if (database.Create(path)) return true;
    ShowMessage(kDatabaseNotCreated);
    return false;
}

bool SwitchDatabase(FrameCommandSite& site, const std::string& path)
{
    CVrn3Doc& document = site.document;
    if (document.IsDatabaseOpen()) {
        if (!document.SaveModified()) return false;
        document.OnCloseDocument();
    }
    const bool opened = document.OnOpenDocument(path);
    site.ui.UpdateTitles();
    return opened;
}

bool ReplaceWithEmptyDatabase(FrameCommandSite& site, const std::string& path)
{
    CVrn3Doc& document = site.document;
    const std::string previous = document.GetPathName();
    if (document.IsDatabaseOpen()) {
        if (!document.SaveModified()) return false;
        document.OnCloseDocument();
    }
    if (CreateEmptyDatabase(site.frame.FileSystem(), path)) return true;
    if (!previous.empty()) (void)SwitchDatabase(site, previous);
    return false;
}

bool OnOpenDatabase(FrameCommandSite& site)
{
    const auto path = AskFileName(DatabaseRequest(site.frame, FileRequest::Kind::Open));
    if (!path || !site.frame.FileSystem().Exists(*path)) return false;
    return SwitchDatabase(site, *path);
}

bool OnChangeDatabase(FrameCommandSite& site)
{
    // An open dialog that takes a new name as well: a save dialog that asks nothing about overwriting.
    FileRequest request = DatabaseRequest(site.frame, FileRequest::Kind::Save);
    request.askOverwrite = false;
    const auto path = AskFileName(request);
    if (!path) return false;
    if (site.document.IsDatabaseOpen() && !site.frame.FileSystem().Exists(*path) &&
        !CreateEmptyDatabase(site.frame.FileSystem(), *path))
        return false;
    return SwitchDatabase(site, *path);
}

bool OnNewDatabase(FrameCommandSite& site)
{
    FileRequest request = DatabaseRequest(site.frame, FileRequest::Kind::Save);
    request.title = GetMessageText(kSpecifyDatabaseFile);
    const auto path = AskFileName(request);
    if (!path) return false;
    // The file the user chose to overwrite is replaced whole by the empty database, never deleted first.
    if (site.frame.FileSystem().Exists(*path) && !ReplaceWithEmptyDatabase(site, *path)) return false;
    return SwitchDatabase(site, *path);
}

bool OnOpenDepartment(FrameCommandSite& site)
{
    return OpenChosenDepartment(site);
}

bool OnChangeDepartment(FrameCommandSite& site)
{
    CVrn3Doc& document = site.document;
    if (!document.IsDatabaseOpen()) return false;
    CMasterScaleList& departments = site.frame.Departments();
    if (!site.ui.ChooseCurrentDepartment(departments) || departments.GetCurrent() == nullptr) return false;
    const bool batchMode = document.IsBatchMode();
    const std::string batchFile = document.GetBatchFilePath();
    const std::string path = departments.GetCurrentDatabase();
    if (!path.empty() && !SameFileName(path, document.GetPathName())) {
        if (!site.frame.FileSystem().Exists(path) && !CreateEmptyDatabase(site.frame.FileSystem(), path)) return false;
        (void)SwitchDatabase(site, path);
        if (batchMode && document.IsDatabaseOpen())
            (void)document.GetDatabase().BeginBatch(batchFile, departments.GetCurrent()->m_name, true);
    }
    site.frame.RecalcSetupFlags();
    document.UpdateAllViews();
    return true;
}

}  // namespace varnel
