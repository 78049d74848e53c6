// "S&cheduler" from its action: it starts this program with "-S" from the program's directory, and is
// off for a user who may not run the scheduler.
#include "app/ui/SchedulerCommand.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"
#include "platform/ProgramRunner.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"
#include "support/RecordingProgramRunner.h"

#include <filesystem>

namespace varnel {
namespace {

using SchedulerCommandTest = test::FrameCommandsFixture;

TEST_F(SchedulerCommandTest, StartsTheSchedulerCopyFromTheProgramsDirectory)
{
    test::RecordingProgramRunner runner;
    MainFrameWindow window(m_model, m_commands);
    RegisterSchedulerCommand(m_frame, window);
    m_commands.UpdateActions();
    const std::filesystem::path workingDirectory = std::filesystem::current_path();
    m_commands.Action(32878)->trigger();

    ASSERT_EQ(runner.m_started.size(), 1u);
    const std::string program = GetProgramPath();
    ASSERT_FALSE(program.empty());
    EXPECT_EQ(runner.m_started[0].program, program);
    EXPECT_EQ(runner.m_started[0].directory, std::filesystem::path(program).parent_path().string());
    EXPECT_EQ(runner.m_started[0].arguments, std::vector<std::string>{"-S"});
    EXPECT_EQ(std::filesystem::current_path(), workingDirectory);

    auto user = std::make_unique<CUserSetup>();
    user->m_rights[RightScheduler] = 0;
    m_frame.GetUserList()->Add(std::move(user));
    m_frame.GetUserList()->SetCurrentUser(0);
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(32878)->isEnabled());
    m_frame.GetUserList()->GetAt(0).m_rights[RightScheduler] = 1;
    m_commands.UpdateActions();
    EXPECT_TRUE(m_commands.Action(32878)->isEnabled());
}

}  // namespace
}  // namespace varnel
