#include "app/ui/SetupCommandWindows.h"

#include "app/SetupCommands.h"
#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

namespace varnel {
namespace {

using SetupCommandWindowsTest = test::FrameCommandsFixture;

TEST_F(SetupCommandWindowsTest, HostInterfaceRunsItsDialogFromTheSetupMenu)
{
    m_frame.GeneralSetup().m_market = MarketNewZealand;  // whose Setup menu holds Host Interface
    MainFrameWindow window(m_model, m_commands);
    ShowPluListMenus(window);
    RegisterSetupCommands(m_frame, window, m_document);
    QAction* command = m_commands.Action(Commands::kHostInterface);
    EXPECT_TRUE(window.GetMenu(MainFrameWindow::Menu::Setup)->actions().contains(command));
    test::WhenModalShows([](QWidget& modal) {
        ASSERT_EQ(modal.objectName(), "hostInterfaceDialog");
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "totara"), Qt::LeftButton);
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "ok"), Qt::LeftButton);
    });
    command->trigger();
    EXPECT_EQ(m_frame.GetGeneralSetup().m_totaraHostImport, 1);
}

TEST_F(SetupCommandWindowsTest, EMailSettingsRunsItsDialogAndKeepsWhatOkTakes)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterSetupCommands(m_frame, window, m_document);
    test::WhenModalShows([](QWidget& modal) {
        ASSERT_EQ(modal.objectName(), "eMailSettingsDialog");
        QTest::keyClicks(test::Child<QLineEdit>(modal, "smtpServer"), "smtp.shop");
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "ok"), Qt::LeftButton);
    });
    m_commands.Action(Commands::kEMailSettings)->trigger();
    EXPECT_EQ(m_frame.EMailSettings().m_smtpServer, "smtp.shop");
}

TEST_F(SetupCommandWindowsTest, OptionsAsksTheSetupPasswordThenAppliesTheSheet)
{
    m_frame.GeneralSetup().Normalise();  // as a loaded setup is
    m_frame.GeneralSetup().m_setupPasswordInUse = 1;
    m_frame.GeneralSetup().m_setupPassword = {'o', 'w', 'l', 0};
    MainFrameWindow window(m_model, m_commands);
    RegisterSetupCommands(m_frame, window, m_document);
    test::WhenModalShows([](QWidget& password) {
        ASSERT_EQ(password.objectName(), "enterPasswordDialog");
        QTest::keyClicks(test::Child<QLineEdit>(password, "password"), "owl");
        test::WhenModalShows([](QWidget& sheet) {
            ASSERT_EQ(sheet.objectName(), "optionsSheet");
            QLineEdit* stores = test::Child<QLineEdit>(sheet, "maxStoreNo");
            stores->clear();
            QTest::keyClicks(stores, "250");
            QTest::mouseClick(test::Child<QAbstractButton>(sheet, "ok"), Qt::LeftButton);
        });
        QTest::mouseClick(test::Child<QAbstractButton>(password, "ok"), Qt::LeftButton);
    });
    m_commands.Action(Commands::kOptions)->trigger();
    EXPECT_EQ(m_frame.GetGeneralSetup().m_maxStoreNo, 250);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{31472}));
}

TEST_F(SetupCommandWindowsTest, AppliedOptionsRefreshTheDocumentsViewsAndACancelledSheetDoesNot)
{
    struct CountingUi final : IDocumentUi {
        void UpdateAllViews() override { ++updates; }
        int updates = 0;
    } ui;
    m_document.SetUi(&ui);
    m_frame.GeneralSetup().Normalise();
    MainFrameWindow window(m_model, m_commands);
    RegisterSetupCommands(m_frame, window, m_document);
    for (const char* button : {"cancel", "ok"}) {
        test::WhenModalShows([button](QWidget& sheet) {
            QTest::mouseClick(test::Child<QAbstractButton>(sheet, button), Qt::LeftButton);
        });
        m_commands.Action(Commands::kOptions)->trigger();
    }
    EXPECT_EQ(ui.updates, 1);
    m_document.SetUi(nullptr);
}

TEST_F(SetupCommandWindowsTest, OptionsPresetKeysEditTheKeyTypesWhichTheSheetsOkStores)
{
    m_frame.GeneralSetup().Normalise();
    MainFrameWindow window(m_model, m_commands);
    RegisterSetupCommands(m_frame, window, m_document);
    test::WhenModalShows([](QWidget& sheet) {
        test::WhenModalShows([](QWidget& keys) {
            ASSERT_EQ(keys.objectName(), "presetKeySetupDialog");
            QLineEdit* tare = test::Child<QLineEdit>(keys, "code2");
            tare->selectAll();
            QTest::keyClicks(tare, "21");
            QTest::mouseClick(test::Child<QAbstractButton>(keys, "ok"), Qt::LeftButton);
        });
        QTest::mouseClick(test::Child<QAbstractButton>(sheet, "presetKeys5200"), Qt::LeftButton);
        QTest::mouseClick(test::Child<QAbstractButton>(sheet, "ok"), Qt::LeftButton);
    });
    m_commands.Action(Commands::kOptions)->trigger();
    EXPECT_EQ(m_frame.KeyTypes().m_tables[CKeyTypeDef::Type2][2], 21);
    EXPECT_EQ(m_frame.KeyTypes().m_tables[CKeyTypeDef::OtherTypes][2], 0);
}

TEST_F(SetupCommandWindowsTest, HostInterfaceIsDisabledForAUserWhoMayNotViewTheSetup)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterSetupCommands(m_frame, window, m_document);
    auto user = std::make_unique<CUserSetup>();
    user->m_tablePermission.fill(0);
    m_frame.GetUserList()->Add(std::move(user));
    m_frame.GetUserList()->SetCurrentUser(0);
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(Commands::kHostInterface)->isEnabled());
    EXPECT_TRUE(m_commands.Action(Commands::kEMailSettings)->isEnabled());
    m_frame.GetUserList()->GetAt(0).m_tablePermission[kSetupTable] = AccessView;
    m_commands.UpdateActions();
    EXPECT_TRUE(m_commands.Action(Commands::kHostInterface)->isEnabled());
}

}  // namespace
}  // namespace varnel
