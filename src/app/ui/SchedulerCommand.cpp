// The scheduler command.
#include "app/ui/SchedulerCommand.h"

#include "app/MainFrame.h"
#include "app/ui/CommandTable.h"
#include "app/ui/MainFrameWindow.h"
#include "platform/ProgramRunner.h"
#include "settings/UserSetupList.h"

#include <filesystem>

namespace varnel {

constexpr std::uint32_t kScheduler = 32878;

void RegisterSchedulerCommand(CMainFrame& frame, MainFrameWindow& window)
{
    const auto start = [] {
        const std::string program = GetProgramPath();
        if (program.empty()) return;
        // Nothing waits for the scheduler copy; it reports its own troubles.
        (void)StartProgram(std::filesystem::path(program).parent_path().string(), program, {"-S"});
    };
    window.Commands().Register(kScheduler, "S&cheduler", start, [&frame] {
        return CommandState{frame.Access().m_users.AllowScheduler(), std::nullopt};
    });
}

}  // namespace varnel
