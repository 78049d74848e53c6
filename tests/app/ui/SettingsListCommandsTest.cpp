// The settings list commands from their real actions over a real frame: each opens its list, saves
// its setup file after OK (department codes however their list closed) and nothing after Cancel; the
// setup password guards price zones, departments and users only; the rules follow the setup right,
// batch mode and the department and group switch.
#include "app/ui/SettingsListCommands.h"

#include "FrameCommandsFixture.h"
#include "app/SetupCommands.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/SetupCommandWindows.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

#include <filesystem>

namespace varnel {
namespace {

class SettingsListCommandsTest : public test::FrameCommandsFixture {
protected:
    SettingsListCommandsTest()
    {
        ShowPluListMenus(m_window);
        RegisterSetupCommands(m_frame, m_window, m_document);
        RegisterSettingsListCommands(m_frame, m_window, m_document);
        m_commands.UpdateActions();
    }

    struct Run {
        std::vector<std::string> shown;  // the modal windows, in order
        bool generalSaved;
        bool siteSaved;
    };
    // Triggers the command and answers each modal window with `key` (the password with its OK).
    Run Trigger(std::uint32_t command, Qt::Key key, const char* password = nullptr)
    {
        Run run;
        const std::function<void(QWidget&)> answer = [&](QWidget& modal) {
            run.shown.push_back(modal.objectName().toStdString());
            if (modal.objectName() == "enterPasswordDialog" && password != nullptr) {
                QTest::keyClicks(test::Child<QLineEdit>(modal, "password"), password);
                test::WhenModalShows(answer);
                QTest::mouseClick(test::Child<QAbstractButton>(modal, "ok"), Qt::LeftButton);
                return;
            }
            if (key == Qt::Key_Enter)
                QTest::mouseClick(test::Child<QAbstractButton>(modal, "ok"), Qt::LeftButton);
            else
                QTest::keyClick(&modal, key);
        };
        test::WhenModalShows(answer);
        m_commands.Action(command)->trigger();
        run.generalSaved = std::filesystem::exists(m_frame.GetGeneralSetupPath());
        run.siteSaved = std::filesystem::exists(m_frame.GetSiteSetupPath());
        std::filesystem::remove(m_frame.GetGeneralSetupPath());
        std::filesystem::remove(m_frame.GetSiteSetupPath());
        return run;
    }

    MainFrameWindow m_window{m_model, m_commands};
};

TEST_F(SettingsListCommandsTest, EachOpensItsListAndSavesItsSetupFileAfterOk)
{
    struct Case {
        std::uint32_t command;
        const char* dialog;
        bool general;
        bool site;
        bool savedAfterCancel;
    };
    const Case cases[] = {
        {Commands::kOperators, "editOperatorsDialog", false, true, false},
        {Commands::kPriceZones, "editPriceZonesDialog", true, false, false},
        {Commands::kDepartments, "editDeptSettingsDialog", false, true, false},
        {Commands::kUsers, "editUsersDialog", false, true, false},
        {Commands::kUserProfiles, "editUsersDialog", false, true, false},
        {Commands::kDeptCodes, "editDeptCodesDialog", true, false, true},
    };
    for (const Case& entry : cases) {
        SCOPED_TRACE(entry.command);
        EXPECT_TRUE(m_commands.Action(entry.command)->isEnabled());
        const Run ok = Trigger(entry.command, Qt::Key_Enter);
        EXPECT_EQ(ok.shown, std::vector<std::string>{entry.dialog});
        EXPECT_EQ(ok.generalSaved, entry.general);
        EXPECT_EQ(ok.siteSaved, entry.site);
        const Run cancelled = Trigger(entry.command, Qt::Key_Escape);
        EXPECT_EQ(cancelled.shown, std::vector<std::string>{entry.dialog});
        EXPECT_EQ(cancelled.generalSaved, entry.general && entry.savedAfterCancel);
        EXPECT_FALSE(cancelled.siteSaved);
    }
    m_frame.GeneralSetup().m_market = MarketNewZealand;  // whose Setup menu holds Host Interface
    m_window.UpdateMenuBar();
    QMenu* setup = m_window.GetMenu(MainFrameWindow::Menu::Setup);
    emit setup->aboutToShow();
    const QList<QAction*> menu = setup->actions();
    const auto at = [&](std::uint32_t command) { return menu.indexOf(m_commands.Action(command)); };
    EXPECT_EQ(at(Commands::kOptions), 0);
    EXPECT_LT(at(Commands::kOptions), at(Commands::kDeptCodes));
    EXPECT_LT(at(Commands::kDeptCodes), at(Commands::kUsers));
    EXPECT_LT(at(Commands::kUsers), at(Commands::kUserProfiles));
    EXPECT_LT(at(Commands::kUserProfiles), at(Commands::kDepartments));
    EXPECT_LT(at(Commands::kDepartments), at(Commands::kPriceZones));
    EXPECT_LT(at(Commands::kPriceZones), at(Commands::kHostInterface));
    EXPECT_EQ(at(Commands::kOperators), -1);  // the Scales menu's
}

TEST_F(SettingsListCommandsTest, TheSetupPasswordGuardsPriceZonesDepartmentsAndUsers)
{
    m_frame.GeneralSetup().m_setupPasswordInUse = 1;
    m_frame.GeneralSetup().m_setupPassword = {'S', 'E', 'C', 'R', 'E', 'T', 0};
    for (const std::uint32_t command : {Commands::kPriceZones, Commands::kDepartments, Commands::kUsers}) {
        SCOPED_TRACE(command);
        const Run refused = Trigger(command, Qt::Key_Escape);
        EXPECT_EQ(refused.shown, std::vector<std::string>{"enterPasswordDialog"});
        EXPECT_FALSE(refused.generalSaved || refused.siteSaved);
        const Run passed = Trigger(command, Qt::Key_Enter, "SECRET");
        ASSERT_EQ(passed.shown.size(), 2u);
        EXPECT_EQ(passed.shown[0], "enterPasswordDialog");
        EXPECT_TRUE(passed.generalSaved || passed.siteSaved);
    }
    for (const std::uint32_t command : {Commands::kOperators, Commands::kUserProfiles, Commands::kDeptCodes}) {
        SCOPED_TRACE(command);
        const Run run = Trigger(command, Qt::Key_Enter);
        ASSERT_EQ(run.shown.size(), 1u);
        EXPECT_NE(run.shown[0], "enterPasswordDialog");
    }
}

TEST_F(SettingsListCommandsTest, EnabledBySetupRightBatchModeAndTheDepartmentAndGroupSwitch)
{
    const std::uint32_t all[] = {Commands::kOperators, Commands::kPriceZones, Commands::kDepartments,
                                 Commands::kUsers,     Commands::kUserProfiles, Commands::kDeptCodes};
    const auto enabled = [&] {
        m_commands.UpdateActions();
        std::vector<std::uint32_t> on;
        for (const std::uint32_t command : all)
            if (m_commands.Action(command)->isEnabled()) on.push_back(command);
        return on;
    };
    m_frame.GeneralSetup().m_noDeptGroupSearchFamily10 = 1;
    EXPECT_EQ(enabled(), (std::vector<std::uint32_t>{Commands::kOperators, Commands::kPriceZones, Commands::kDepartments,
                                                     Commands::kUsers, Commands::kUserProfiles}));
    m_frame.GeneralSetup().m_noDeptGroupSearchFamily10 = 0;

    OpenNewDatabase();
    ASSERT_TRUE(m_document.GetDatabase().BeginBatch(m_dir.File("changes.bch"), "", false));
    EXPECT_EQ(enabled(), (std::vector<std::uint32_t>{Commands::kDepartments, Commands::kUsers, Commands::kUserProfiles,
                                                     Commands::kDeptCodes}));
    ASSERT_TRUE(m_document.GetDatabase().EndBatch());

    auto user = std::make_unique<CUserSetup>();
    user->m_tablePermission.fill(0);
    m_frame.GetUserList()->Add(std::move(user));
    m_frame.GetUserList()->SetCurrentUser(0);
    EXPECT_TRUE(enabled().empty());
}

}  // namespace
}  // namespace varnel
