// Data Save files opened, alone or into a database.
#include "app/DataSaveOpenCommands.h"

#include "app/DatabaseCommands.h"
#include "app/DatedBackup.h"
#include "app/FrameCommandSite.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "comms/dialogs/CommsDialogs.h"
#include "comms/filelink/DataSaveFile.h"
#include "comms/filelink/DataSaveOptionsForms.h"
#include "comms/filelink/DataSaveStore.h"
#include "platform/UserPrompt.h"

#include <optional>

namespace varnel {
namespace {

std::optional<std::string> AskDataSaveFile()
{
    return AskFileName(ExtensionChooser(FileRequest::Kind::Open, "dsv",
                                        "Data Save (*.dsv) |*.dsv|All Files (*.*)|*.*||"));
}

// The records of the file into the open database (its keyboards' presets are not kept here).
bool ImportDataSaveFile(FrameCommandSite& site, const std::string& path)
{
    CVrn3Doc& document = site.document;
    if (!document.IsDatabaseOpen()) return false;
    CDataSaveStore store(document.GetDatabase(), nullptr, site.frame.GetGeneralSetup());
    CDataSaveFiles files(store, LinkRoles::Of(site.frame), site.frame.FileSystem());
    const bool loaded = files.LoadDataSaveFile(path);
    document.UpdateAllViews();
    return loaded;
}

// The choice of how to open: the general setup's, shown to the user when it says so.
std::optional<CMainFrame::DataSaveOpenChoice> ChooseOpenMode(FrameCommandSite& site)
{
    const CGeneralSetup& setup = site.frame.GetGeneralSetup();
    DataSaveOpenOptionsForm form(setup.m_dataSaveOpenMode, setup.m_overwriteExisting != 0);
    if (site.document.IsDatabaseOpen() && setup.m_dataSaveShowOptions != 0) {
        ICommsDialogs* dialogs = GetCommsDialogs();
        if (dialogs == nullptr || !dialogs->RunDataSaveOpenOptions(form)) return std::nullopt;
    }
    return CMainFrame::DataSaveOpenChoice{form.GetMode(), form.GetOverwrite()};
}

// Mode 1: a new, empty database of the file's name, its records imported.
bool ImportIntoNewDatabase(FrameCommandSite& site, const std::string& path)
{
    CVrn3Doc& document = site.document;
    const bool mdb = document.IsDatabaseOpen() ? document.GetDatabase().IsDaoMode()
                                               : site.frame.GetDatabaseFileFilter().extension == ".mdb";
    const std::string target = DataSaveDatabaseName(path, mdb ? ".mdb" : ".pld");
    IFileSystem& fs = site.frame.FileSystem();
    if (fs.Exists(target) && !CDatedBackup(fs, site.frame.Clock()).Make(target, site.host.GetBackupDirectory())) {
        ShowMessage(kDataSaveFileOpenError);
        return false;
    }
    return ReplaceWithEmptyDatabase(site, target) && SwitchDatabase(site, target) && ImportDataSaveFile(site, path);
}

}  // namespace

std::string DataSaveDatabaseName(std::string_view dataSavePath, std::string_view extension)
{
    const std::size_t nameStart = dataSavePath.find_last_of('/') + 1;  // 0 when there is no directory
    const std::size_t dot = dataSavePath.rfind('.');
    const std::size_t stemEnd = dot != std::string_view::npos && dot > nameStart ? dot : dataSavePath.size();
    std::string name(dataSavePath.substr(0, stemEnd));
    name += extension;
    return name;
}

bool OpenDataSaveFile(FrameCommandSite& site, const std::string& path)
{
    const auto choice = ChooseOpenMode(site);
    if (!choice) return false;
    site.frame.SetDataSaveOpenChoice(*choice);
    switch (choice->mode) {
    case DataSaveOpenOptionsForm::OpenOnly: site.frame.SetCurrentDataSaveFile(path); return true;
    case DataSaveOpenOptionsForm::ImportNew: return ImportIntoNewDatabase(site, path);
    default: return ImportDataSaveFile(site, path);
    }
}

bool OnOpenDataSave(FrameCommandSite& site)
{
    const auto path = AskDataSaveFile();
    return path && OpenDataSaveFile(site, *path);
}

bool OnOpenDataSaveNoDocument(FrameCommandSite& site)
{
    const auto path = AskDataSaveFile();
    if (!path) return false;
    const std::string database = DataSaveDatabaseName(*path, ".mdb");
    return SwitchDatabase(site, database) && ImportDataSaveFile(site, *path);
}

}  // namespace varnel
