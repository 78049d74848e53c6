// The main frame's own commands reached through the command table, their dialogs on screen.
#include "app/ui/FrameCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "app/SettingsPasswordCommand.h"
#include "app/ToolCommands.h"
#include "app/ui/MainFrameWindow.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>

namespace varnel {
namespace {

class FrameCommandWindowsTest : public test::FrameCommandsFixture {
protected:
    FrameCommandWindowsTest() { RegisterFrameCommands(m_frame, m_host, m_window, m_document); }

    MainFrameWindow m_window{m_model, m_commands};
};

TEST_F(FrameCommandWindowsTest, CtrlAltPShowsTheSettingsPassword)
{
    m_frame.GeneralSetup().m_setupPassword = {'o', 'p', 'e', 'n', 0, 0, 0, 0, 0};
    QAction* command = m_commands.Action(Commands::kShowSettingsPassword);
    EXPECT_EQ(command->shortcut(), QKeySequence("Ctrl+Alt+P"));
    command->trigger();
    EXPECT_EQ(m_prompt.m_texts, (std::vector<std::string>{"open"}));
}

TEST_F(FrameCommandWindowsTest, PluRangeProfileAsksThePasswordThenEditsTheRanges)
{
    m_frame.GeneralSetup().m_setupPasswordInUse = 1;
    m_frame.GeneralSetup().m_setupPassword = {'p', 'w', 0, 0, 0, 0, 0, 0, 0};
    test::WhenModalShows([](QWidget& password) {
        QTest::keyClicks(test::Child<QLineEdit>(password, "password"), "pw");
        test::WhenModalShows([](QWidget& profile) {
            ASSERT_EQ(profile.objectName(), "editPluRangeProfileDialog");
            test::WhenModalShows([](QWidget& entry) {
                test::Child<QLineEdit>(entry, "from")->setText("300");
                test::Child<QLineEdit>(entry, "to")->setText("399");
                QTest::mouseClick(test::Child<QAbstractButton>(entry, "ok"), Qt::LeftButton);
            });
            QTest::mouseClick(test::Child<QAbstractButton>(profile, "add"), Qt::LeftButton);
            QTest::mouseClick(test::Child<QAbstractButton>(profile, "ok"), Qt::LeftButton);
        });
        QTest::mouseClick(test::Child<QAbstractButton>(password, "ok"), Qt::LeftButton);
    });
    m_commands.Action(Commands::kPluRangeProfile)->trigger();
    const CPluRangeList& ranges = m_frame.Access().m_sitePluRanges;
    ASSERT_EQ(ranges.GetCount(), 1u);
    EXPECT_EQ(ranges.GetAt(0).m_from, 300u);
    EXPECT_EQ(ranges.GetAt(0).m_to, 399u);
}

TEST_F(FrameCommandWindowsTest, TheCustomisedLogViewOpensItsDialog)
{
    bool shown = false;
    test::WhenModalShows([&shown](QWidget& modal) {
        shown = modal.objectName() == "logDataSelDialog";
        QTest::mouseClick(test::Child<QAbstractButton>(modal, "cancel"), Qt::LeftButton);
    });
    m_commands.Action(Commands::kViewLogRange)->trigger();
    EXPECT_TRUE(shown);
}

}  // namespace
}  // namespace varnel
