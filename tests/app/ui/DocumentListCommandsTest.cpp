// The list reports and the outside-maker sends from their actions over a real frame and database:
// a list report asks the document for its report type; "Recent Changes Only" is offered only while
// the switch is on and PLUs changed, and sends them; "Update Scale Status Log" follows the status
// log switch and the user's restriction.
#include "app/ui/DocumentListCommands.h"

#include "CountingReportMaker.h"
#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"
#include "db/plu/PluDefTb.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"
#include "support/RecordingProgramRunner.h"

#include <filesystem>

namespace varnel {
namespace {

using test::CountingReportMaker;

class DocumentListCommandsTest : public test::FrameCommandsFixture {
protected:
    DocumentListCommandsTest() { RegisterDocumentListCommands(m_frame, m_window, m_document); }

    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }

    MainFrameWindow m_window{m_model, m_commands};
};

TEST_F(DocumentListCommandsTest, EachListReportAsksForItsReportType)
{
    CountingReportMaker maker;
    m_document.SetReportMaker(&maker);
    EXPECT_FALSE(Enabled(32977));  // no database
    OpenNewDatabase();
    const std::vector<std::pair<std::uint32_t, int>> reports = {
        {32977, 18}, {32972, 19}, {32976, 23}, {32971, 24}, {32970, 25},
        {32935, 26}, {32925, 27}, {32978, 28}, {32923, 29}, {32991, 33},
    };
    std::vector<int> expected;
    for (const auto& [command, type] : reports) {
        ASSERT_TRUE(Enabled(command)) << command;
        m_commands.Action(command)->trigger();
        expected.push_back(type);
    }
    EXPECT_EQ(maker.m_types, expected);
    m_document.SetReportMaker(nullptr);
}

TEST_F(DocumentListCommandsTest, RecentChangesAreOfferedWhileTheSwitchIsOnAndPlusChanged)
{
    test::RecordingProgramRunner runner;
    const std::string scaleData = m_frame.GetScaleDataDirectory();
    std::filesystem::create_directories(scaleData);
    OpenNewDatabase();
    m_document.GetPluTable()->ForgetRememberedPlus();
    m_frame.GeneralSetup().m_orlanComms = 1;
    EXPECT_TRUE(Enabled(32993));
    EXPECT_FALSE(Enabled(32964));  // no changes
    m_document.GetPluTable()->RememberPluValue(12, 3);
    m_frame.GeneralSetup().m_orlanComms = 0;
    EXPECT_FALSE(Enabled(32964));
    m_frame.GeneralSetup().m_orlanComms = 1;
    ASSERT_TRUE(Enabled(32964));

    m_commands.Action(32964)->trigger();
    EXPECT_TRUE(std::filesystem::exists(scaleData + "/PLUSEND.GEN"));  // PLU 12 is gone: its delete record
    ASSERT_EQ(runner.m_started.size(), 1u);
    EXPECT_FALSE(Enabled(32964));
}

TEST_F(DocumentListCommandsTest, TheStatusLogNeedsItsSwitchOnLineCommsAndAnUnrestrictedUser)
{
    OpenNewDatabase();
    AddLoopbackBlockScale(1, 1, 10);
    EXPECT_FALSE(Enabled(32961));
    m_frame.EventLog().ScaleStatusLogOn = 1;
    EXPECT_TRUE(Enabled(32961));

    m_frame.Access().m_users.Add(std::make_unique<CUserSetup>()).m_rights[RightRestrictedAccess] = 1;
    m_frame.Access().m_users.SetCurrentUser(0);
    EXPECT_FALSE(Enabled(32961));
}

}  // namespace
}  // namespace varnel
