// The import and export commands from their actions: disabled without the import subsystem; with it,
// a definition list opens behind the setup rule, the runs need an open database and the user's
// import rights, and a text import refreshes the views.
#include "app/ui/ImportCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "RecordingImportExport.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

#include <filesystem>

namespace varnel {
namespace {

class ImportCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }

    MainFrameWindow m_window{m_model, m_commands};
    test::RecordingImportExport m_imports;
};

TEST_F(ImportCommandWindowsTest, WithoutTheImportSubsystemEveryCommandIsDisabled)
{
    RegisterImportCommands(m_frame, m_window, m_document, nullptr);
    OpenNewDatabase();
    for (const std::uint32_t command : {32874u, 32875u, 32911u, 32876u, 32877u, 32910u, 32861u, 32907u, 32909u})
        EXPECT_FALSE(Enabled(command)) << command;
}

TEST_F(ImportCommandWindowsTest, TheCommandsRunTheirImportsWithinTheUsersRights)
{
    RegisterImportCommands(m_frame, m_window, m_document, &m_imports);
    ASSERT_TRUE(Enabled(32874));
    m_commands.Action(32874)->trigger();
    EXPECT_EQ(m_imports.m_calls, std::vector<std::string>{"edit text imports"});
    EXPECT_TRUE(std::filesystem::exists(m_frame.GetGeneralSetupPath()));
    EXPECT_FALSE(Enabled(32877));  // no database

    OpenNewDatabase();
    for (const std::uint32_t command : {32876u, 32877u, 32910u}) {
        ASSERT_TRUE(Enabled(command)) << command;
        m_commands.Action(command)->trigger();
    }
    EXPECT_EQ(m_imports.m_calls, (std::vector<std::string>{"edit text imports", "export now", "text import now",
                                                           "database import now"}));

    CUserSetup& user = m_frame.Access().m_users.Add(std::make_unique<CUserSetup>());
    user.m_rights[RightTextImport] = 0;
    user.m_rights[RightDatabaseImport] = 0;
    user.m_tablePermission[kSetupTable] = 0;
    m_frame.Access().m_users.SetCurrentUser(0);
    for (const std::uint32_t command : {32877u, 32910u, 32861u, 32907u, 32909u})
        EXPECT_FALSE(Enabled(command)) << command;
    EXPECT_TRUE(Enabled(32876));
    EXPECT_FALSE(Enabled(32874));  // nor may this user view the setup
}

}  // namespace
}  // namespace varnel
