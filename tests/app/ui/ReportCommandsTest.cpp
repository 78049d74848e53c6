// The production and message reports from their actions: each asks the document for its report type
// while a database is open, and the production and PLU list reports follow the user's rights.
#include "app/ui/ReportCommands.h"

#include "CountingReportMaker.h"
#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"
#include "settings/UserSetup.h"
#include "settings/UserSetupList.h"

namespace varnel {
namespace {

class ReportCommandsTest : public test::FrameCommandsFixture {
protected:
    ReportCommandsTest()
    {
        RegisterReportCommands(m_frame, window, m_document);
        m_document.SetReportMaker(&maker);
    }
    ~ReportCommandsTest() override { m_document.SetReportMaker(nullptr); }

    bool Enabled(std::uint32_t command)
    {
        m_commands.UpdateActions();
        return m_commands.Action(command)->isEnabled();
    }

    MainFrameWindow window{m_model, m_commands};
    test::CountingReportMaker maker;
};

TEST_F(ReportCommandsTest, EachReportAsksForItsType)
{
    EXPECT_FALSE(Enabled(32860));  // no database
    OpenNewDatabase();
    const std::vector<std::pair<std::uint32_t, int>> reports = {
        {32860, 1},  {32931, 14}, {32862, 2},  {32863, 3},  {32864, 5},  {32843, 17}, {32869, 4},  {32915, 6},
        {32916, 7},  {32917, 8},  {32918, 9},  {32919, 10}, {32920, 11}, {32987, 30}, {32988, 31}, {32989, 32},
        {32818, 0},  {32921, 12}, {32966, 15}, {32777, 15}, {32778, 16}, {32922, 13},
    };
    std::vector<int> expected;
    for (const auto& [command, type] : reports) {
        ASSERT_TRUE(Enabled(command)) << command;
        m_commands.Action(command)->trigger();
        expected.push_back(type);
    }
    EXPECT_EQ(maker.m_types, expected);
}

TEST_F(ReportCommandsTest, TheProductionAndPluListReportsFollowTheUsersRights)
{
    OpenNewDatabase();
    CUserSetupList& users = m_frame.Access().m_users;
    CUserSetup& clerk = users.Add(std::make_unique<CUserSetup>());
    clerk.m_rights[RightPluProdReport] = 0;
    clerk.m_rights[RightPluListReport] = 0;
    users.SetCurrentUser(0);
    for (const std::uint32_t command : {32860u, 32931u, 32818u}) EXPECT_FALSE(Enabled(command)) << command;
    EXPECT_TRUE(Enabled(32862));
}

}  // namespace
}  // namespace varnel
