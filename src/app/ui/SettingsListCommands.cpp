// The settings list commands.
#include "app/ui/SettingsListCommands.h"

#include "app/MainFrame.h"
#include "app/SetupCommands.h"
#include "app/Vrn3Doc.h"
#include "app/ui/CommandTable.h"
#include "app/ui/EnterPasswordDlg.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/SiteListWindows.h"
#include "db/text/DoubleByteText.h"

namespace varnel {
namespace {

enum class Enabled { Setup, SetupNotBatch, SetupDeptCodes };

struct SettingsListCommand {
    std::uint32_t command;
    const char* menuText;
    Enabled enabled;
    SettingsListSteps steps;
};

constexpr SettingsListCommand kSettingsListCommands[] = {
    {Commands::kDeptCodes, "Department Codes", Enabled::SetupDeptCodes, {false, false, true, false}},
    {Commands::kUsers, "&Users", Enabled::Setup, {true, true, false, true}},
    {Commands::kUserProfiles, "User Profiles", Enabled::Setup, {false, true, false, false}},
    {Commands::kDepartments, "&Departments", Enabled::Setup, {true, true, false, false}},
    {Commands::kPriceZones, "Price &Zones", Enabled::SetupNotBatch, {true, false, false, false}},
    {Commands::kOperators, "&Operators", Enabled::SetupNotBatch, {false, true, false, false}},
};

bool RunEditor(std::uint32_t command, CMainFrame& frame, MainFrameWindow& window, const CVrn3Doc& document)
{
    switch (command) {
    case Commands::kDeptCodes:
        return RunDeptCodes(frame, document.IsDatabaseOpen() ? document.GetPluTable() : nullptr, &window);
    case Commands::kUsers: return RunUserSettings(frame, false, &window);
    case Commands::kUserProfiles: return RunUserSettings(frame, true, &window);
    case Commands::kDepartments: return RunDepartments(frame, window);
    case Commands::kPriceZones: return RunPriceZones(frame, &window);
    default: return RunOperatorSettings(frame, &window);
    }
}

bool IsEnabled(Enabled enabled, const CMainFrame& frame, const CVrn3Doc& document)
{
    if (!MayViewSetup(&frame.Access().m_users)) return false;
    switch (enabled) {
    case Enabled::SetupNotBatch: return !document.IsBatchMode();
    case Enabled::SetupDeptCodes: return MayEditDeptCodes(frame);
    default: return true;
    }
}

}  // namespace

void RegisterSettingsListCommands(CMainFrame& frame, MainFrameWindow& window, CVrn3Doc& document)
{
    CommandTable& commands = window.Commands();
    for (const SettingsListCommand& entry : kSettingsListCommands) {
        const auto run = [&frame, &window, &document, &entry] {
            const auto enterPassword = [&frame, &window](const std::string& password) {
                return AskSetupPassword(password, StoreCodePage(frame.GetGeneralSetup()), &window);
            };
            const bool ok = RunSettingsListCommand(frame, entry.steps, enterPassword, [&] {
                return RunEditor(entry.command, frame, window, document);
            });
            // Users decide what the menus and views offer; department codes name what the views show.
            if (entry.command == Commands::kDeptCodes || (ok && entry.command == Commands::kUsers)) {
                document.UpdateAllViews();
                window.UpdateFrameTitle();
            }
        };
        const auto rule = [&frame, &document, &entry] {
            return CommandState{IsEnabled(entry.enabled, frame, document), std::nullopt};
        };
        commands.Register(entry.command, entry.menuText, run, rule);
    }
}

}  // namespace varnel
