#include "app/OptionsCommand.h"

#include "app/MainFrame.h"
#include "support/FaultInjectingFileSystem.h"
#include "support/RecordingPrompt.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace varnel {
namespace {

class OptionsCommandTest : public ::testing::Test {
protected:
    OptionsCommandTest() { m_previous = SetMainFrame(&m_frame); }
    ~OptionsCommandTest() override
    {
        m_frame.Links().StopLinks(false);
        SetMainFrame(m_previous);
    }

    // The command with a sheet that makes `edit` and ends with `ok`.
    bool Run(const std::function<void(OptionsValues&)>& edit, bool ok = true)
    {
        OptionsCommandUi ui;
        ui.enterPassword = [this](const std::string& password) {
            m_passwordsAsked.push_back(password);
            return m_passwordRight;
        };
        ui.runSheet = [&](OptionsValues& values) {
            ++m_sheets;
            edit(values);
            return ok;
        };
        ui.updateViews = [this] { ++m_viewUpdates; };
        return RunOptionsCommand(m_frame, {}, ui);
    }
    void LogInWithoutSetupUpdate()
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_tablePermission.fill(0);
        user->m_tablePermission[kSetupTable] = AccessView;
        m_frame.GetUserList()->Add(std::move(user));
        m_frame.GetUserList()->SetCurrentUser(0);
    }

    test::TempDir m_dir;
    test::RecordingPrompt m_prompt;
    test::FaultInjectingFileSystem m_fs;
    CMainFrame m_frame{m_dir.Path() + "/", m_fs};
    IMainFrame* m_previous = nullptr;
    std::vector<std::string> m_passwordsAsked;
    bool m_passwordRight = true;
    int m_sheets = 0;
    int m_viewUpdates = 0;
};

TEST_F(OptionsCommandTest, OkStoresEverythingSavesBothSetupsAndSaysSo)
{
    m_frame.GeneralSetup().m_defaultScaleFamily = 7;
    EXPECT_TRUE(Run([](OptionsValues& values) {
        EXPECT_EQ(values.systemTypeIndex, 6);
        values.setup.m_market = MarketChina;
        values.setup.m_maxStoreNo = 42;
        values.log.KeepDays = 90;
        values.backupFolder = "/srv/backups";
        values.priceZoneFields = {1005, 1006};
        values.keyBlocks[0].fill(3);
    }));
    const CGeneralSetup& setup = m_frame.GetGeneralSetup();
    EXPECT_EQ(setup.m_defaultScaleFamily, 6);
    EXPECT_EQ(setup.m_maxStoreNo, 42);
    EXPECT_EQ(m_frame.EventLog().KeepDays, 90);
    EXPECT_EQ(m_frame.GetBackupDirectory(), "/srv/backups");
    EXPECT_EQ(m_frame.PriceZoneFields(), (std::vector<std::uint16_t>{1005, 1006}));
    EXPECT_EQ(m_frame.KeyTypes().m_tables[0][0], 0);
    EXPECT_EQ(m_frame.KeyTypes().m_tables[0][1], 3);
    // The font set follows the new market at once.
    EXPECT_FALSE(m_frame.GetSystemDoubleByteFlag());
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{31472}));
    EXPECT_EQ(m_viewUpdates, 1);

    CMainFrame reloaded(m_dir.Path() + "/");
    ASSERT_TRUE(reloaded.LoadGeneralSetup(m_frame.GetGeneralSetupPath()));
    ASSERT_TRUE(reloaded.LoadSiteSetup(m_frame.GetSiteSetupPath()));
    EXPECT_EQ(reloaded.GetGeneralSetup().m_maxStoreNo, 42);
    EXPECT_EQ(reloaded.EventLog().KeepDays, 90);
}

TEST_F(OptionsCommandTest, CancelOrARefusedPermissionChangesNothing)
{
    const CGeneralSetup before = m_frame.GetGeneralSetup();
    const auto edit = [](OptionsValues& values) { values.setup.m_maxStoreNo = 42; };
    EXPECT_FALSE(Run(edit, false));
    LogInWithoutSetupUpdate();
    EXPECT_FALSE(Run(edit));
    EXPECT_EQ(m_frame.GetGeneralSetup().ToRecord(), before.ToRecord());
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61328}));
    EXPECT_FALSE(m_fs.Exists(m_frame.GetGeneralSetupPath()));
    EXPECT_EQ(m_viewUpdates, 0);
}

TEST_F(OptionsCommandTest, ThePasswordIsAskedFirstWhenTheSetupIsProtected)
{
    m_frame.GeneralSetup().m_setupPasswordInUse = 1;
    m_frame.GeneralSetup().m_setupPassword = {'o', 'w', 'l', 0};
    m_passwordRight = false;
    EXPECT_FALSE(Run([](OptionsValues&) {}));
    EXPECT_EQ(m_passwordsAsked, (std::vector<std::string>{"owl"}));
    EXPECT_EQ(m_sheets, 0);
    m_passwordRight = true;
    EXPECT_TRUE(Run([](OptionsValues&) {}));
    EXPECT_EQ(m_sheets, 1);
}

TEST_F(OptionsCommandTest, OnLineCommsStartsAndStopsTheLinksOnlyWhenItChanges)
{
    m_frame.GeneralSetup().m_onlineComms = 0;
    const auto online = [](bool on) { return [on](OptionsValues& values) { values.setup.m_onlineComms = on; }; };
    Run(online(true));
    EXPECT_TRUE(m_frame.Links().IsStarted());
    // Left on: nothing is started again, even links someone stopped meanwhile.
    m_frame.Links().StopLinks(false);
    Run(online(true));
    EXPECT_FALSE(m_frame.Links().IsStarted());
    m_frame.Links().StartLinks(nullptr, LinkRoles::Of(m_frame), false);
    Run(online(false));
    EXPECT_FALSE(m_frame.Links().IsStarted());
    EXPECT_EQ(m_frame.GetGeneralSetup().m_onlineComms, 0);
}

TEST_F(OptionsCommandTest, AFailingSaveSaysSoAndLeavesTheOldFile)
{
    ASSERT_TRUE(m_frame.SaveGeneralSetup(m_frame.GetGeneralSetupPath()));
    const std::string before = test::ReadWholeFile(m_frame.GetGeneralSetupPath());
    m_fs.FailAt(1, true);
    Run([](OptionsValues& values) { values.setup.m_maxStoreNo = 42; });
    m_fs.FailAt(0);
    EXPECT_EQ(test::ReadWholeFile(m_frame.GetGeneralSetupPath()), before);
    ASSERT_FALSE(m_prompt.m_ids.empty());
    EXPECT_EQ(m_prompt.m_ids.front(), 61265);
}

}  // namespace
}  // namespace varnel
