// The Data Save, QD47FD and compact commands.
#include "app/ui/DataSaveCommandWindows.h"

#include "app/DataSaveCommands.h"
#include "app/MainFrame.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"

#include <QGuiApplication>

#include <array>
#include <filesystem>
#include <system_error>

namespace varnel {
namespace {

using DataSaveCommand = bool (*)(CVrn3Doc&, const DataSaveSite&);

struct DataSaveEntry {
    std::uint32_t command;
    const char* text;
    DataSaveCommand run;
    bool needsCurrentFile;
};

constexpr std::array<DataSaveEntry, 6> kDataSaveCommands = {{
    {Commands::kSaveDataSave, "&Save (Data Save)", SaveDataSave, true},
    {Commands::kSaveDataSaveAs, "Sa&ve As (Data Save)", SaveDataSaveAs, true},
    {Commands::kReceiveDataSave, "&Receive (Data Save)", ReceiveDataSave, false},
    {Commands::kSendDataSave, "&Send (Data Save)", SendDataSave, false},
    {Commands::kImportQd47Fd, "&Import QD47FD", ImportQd47Fd, false},
    {Commands::kExportQd47Fd, "&Export QD47FD", ExportQd47Fd, false},
}};

DataSaveSite SiteOf(CMainFrame& frame)
{
    DataSaveSite site;
    site.link = &frame.Qd47Link();
    site.setup = &frame.GeneralSetup();
    site.fs = &RealFileSystem();
    site.roles.emplace(LinkRoles::Of(frame));
    std::error_code error;
    site.currentDirectory = std::filesystem::current_path(error).string() + "/";
    return site;
}

}  // namespace

void RegisterDataSaveCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    for (const DataSaveEntry& entry : kDataSaveCommands) {
        commands.Register(
            entry.command, entry.text, [&frame, &document, &entry] { (void)entry.run(document, SiteOf(frame)); },
            [&frame, &document, &entry] {
                const bool enabled = document.IsDatabaseOpen() &&
                                     (!entry.needsCurrentFile || !frame.GetCurrentDataSaveFile().empty());
                return CommandState{enabled, std::nullopt};
            });
    }
    commands.Register(
        Commands::kCompactDatabase, "Com&pact Database",
        [&document] {
            QGuiApplication::setOverrideCursor(Qt::WaitCursor);
            (void)CompactDatabase(document);
            QGuiApplication::restoreOverrideCursor();
        },
        [&document] { return CommandState{document.IsDatabaseOpen(), std::nullopt}; });
}

}  // namespace varnel
