// The commands of the communication windows: "&Transmit/Receive Scale Data..." opens the
// Communication Center, whose "Select..." buttons open the data kind's list, "&Comms (On-Line)" the link
// setup, whose new link is kept in the site setup, "Co&mms (Data Save)" the file link's settings after
// the setup password, kept in the general setup.
#include "app/ui/CommsCommandWindows.h"

#include "FrameCommandsFixture.h"
#include "app/CommsCommands.h"
#include "app/ui/MainFrameWindow.h"
#include "app/ui/RecordPickers.h"
#include "comms/manager/IdEnqLinkList.h"
#include "comms/ui/QtCommsDialogs.h"
#include "settings/OperatorList.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTabWidget>
#include <QTest>

#include <filesystem>

namespace varnel {
namespace {

class CommsCommandsTest : public test::FrameCommandsFixture {
protected:
    CommsCommandsTest() : m_previousDialogs(SetCommsDialogs(&m_dialogs)) { m_frame.GeneralSetup().m_onlineComms = 0; }
    ~CommsCommandsTest() override { SetCommsDialogs(m_previousDialogs); }

    static void Click(const QWidget& dialog, const char* name)
    {
        QTest::mouseClick(test::Child<QAbstractButton>(dialog, name), Qt::LeftButton);
    }

    QtCommsDialogs m_dialogs{nullptr, [] { return CodePage::Western; }};
    ICommsDialogs* m_previousDialogs;
};

TEST_F(CommsCommandsTest, TransmitReceiveOpensTheCommunicationCenter)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterCommsCommands(m_frame, m_host, window, m_document);
    std::string shown;
    test::WhenModalShows([&shown](QWidget& modal) {
        shown = modal.objectName().toStdString();
        QTest::keyClick(&modal, Qt::Key_Escape);
    });
    m_commands.Action(Commands::kTransmitReceive)->trigger();
    EXPECT_EQ(shown, "commCenterDialog");
}

TEST_F(CommsCommandsTest, SelectOpensTheListOfTheDataKindAndWritesThePickedNumber)
{
    auto op = std::make_unique<COperator>();
    op->m_id = 5;
    op->m_name = "Anna";
    m_frame.Operators().SetOperator(std::move(op));
    OpenNewDatabase();
    m_frame.RecalcSetupFlags();
    MainFrameWindow window(m_model, m_commands);
    RegisterCommsCommands(m_frame, m_host, window, m_document);
    std::string fromAfterOperator;
    std::string pluPicker;
    test::WhenModalShows([&](QWidget& center) {
        ASSERT_EQ(center.objectName(), "commCenterDialog");
        test::Child<QTabWidget>(center, "tabs")->setCurrentIndex(1);
        QComboBox* kinds = test::Child<QComboBox>(center, "dataKind");
        kinds->setCurrentIndex(kinds->findText("Operators"));
        test::WhenModalShows([](QWidget& list) {
            test::Child<QListWidget>(list, "list")->setCurrentRow(0);
            Click(list, "ok");
        });
        Click(center, "selectFrom");
        fromAfterOperator = test::Child<QLineEdit>(center, "from")->text().toStdString();
        kinds->setCurrentIndex(0);  // PLUs
        test::WhenModalShows([&pluPicker](QWidget& picker) {
            pluPicker = picker.objectName().toStdString();
            QTest::keyClick(&picker, Qt::Key_Escape);
        });
        Click(center, "selectTo");
        QTest::keyClick(&center, Qt::Key_Escape);
    });
    m_commands.Action(Commands::kTransmitReceive)->trigger();
    EXPECT_EQ(fromAfterOperator, "5");
    EXPECT_EQ(pluPicker, "selectPluDialog");

    // The message kinds' list comes through the document's message choice.
    std::string messages;
    test::WhenModalShows([&messages](QWidget& list) {
        messages = list.objectName().toStdString();
        QTest::keyClick(&list, Qt::Key_Escape);
    });
    EXPECT_EQ(PickMessageNo(m_frame, m_document, nullptr, 2, 0), std::nullopt);
    EXPECT_EQ(messages, "exMsgListDialog");  // "Select Extra Message"
}

TEST_F(CommsCommandsTest, ANewLinkIsKeptInTheSiteSetupAndTheOfferedKindsAreWorkedOutAgain)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterCommsCommands(m_frame, m_host, window, m_document);
    m_frame.RecalcSetupFlags();
    const KindSet before = KindsInUseOf(m_frame).kinds;
    m_frame.GeneralSetup().m_market = MarketTaiwan;  // the flags follow once the links change
    test::WhenModalShows([](QWidget& links) {
        ASSERT_EQ(links.objectName(), "commLinksDialog");
        test::WhenModalShows([](QWidget& newScale) {
            ASSERT_EQ(newScale.objectName(), "newScaleDialog");
            const char* octets[] = {"networkOctet1", "networkOctet2", "networkOctet3", "networkOctet4"};
            const char* values[] = {"10", "0", "0", "5"};
            for (std::size_t i = 0; i < 4; ++i) {
                QLineEdit* edit = test::Child<QLineEdit>(newScale, octets[i]);
                edit->selectAll();
                QTest::keyClicks(edit, values[i]);
            }
            test::WhenModalShows([](QWidget& settings) {
                ASSERT_EQ(settings.objectName(), "linkSettingsDialog");
                Click(settings, "ok");
            });
            Click(newScale, "ok");
        });
        Click(links, "add");
        Click(links, "close");
    });
    m_commands.Action(Commands::kCommsOnLine)->trigger();
    ASSERT_EQ(m_frame.Links().GetLinks().size(), 1u);
    EXPECT_TRUE(std::filesystem::exists(m_frame.GetSiteSetupPath()));
    EXPECT_NE(KindsInUseOf(m_frame).kinds, before);
}

TEST_F(CommsCommandsTest, DataSaveCommsAsksTheSetupPasswordAndKeepsTheFileLinksSettings)
{
    MainFrameWindow window(m_model, m_commands);
    ShowPluListMenus(window);
    RegisterCommsCommands(m_frame, m_host, window, m_document);
    m_frame.GeneralSetup().m_setupPasswordInUse = 1;
    m_frame.GeneralSetup().m_setupPassword = {'s', 'e', 'c', 'r', 'e', 't'};
    test::WhenModalShows([](QWidget& entry) {
        ASSERT_EQ(entry.objectName(), "enterPasswordDialog");
        QTest::keyClick(&entry, Qt::Key_Escape);
    });
    m_commands.Action(Commands::kCommsDataSave)->trigger();  // the password cancelled: nothing opens
    EXPECT_FALSE(std::filesystem::exists(m_frame.GetGeneralSetupPath()));

    test::WhenModalShows([](QWidget& entry) {
        QTest::keyClicks(test::Child<QLineEdit>(entry, "password"), "secret");
        test::WhenModalShows([](QWidget& settings) {
            ASSERT_EQ(settings.objectName(), "qd47LinkDialog");
            test::Child<QComboBox>(settings, "serialPort")->setCurrentIndex(3);
            Click(settings, "ok");
        });
        Click(entry, "ok");
    });
    m_commands.Action(Commands::kCommsDataSave)->trigger();
    EXPECT_EQ(m_frame.Qd47Link().m_portName, "COM4");
    EXPECT_TRUE(std::filesystem::exists(m_frame.GetGeneralSetupPath()));

    const QList<QAction*> setup = window.GetMenu(MainFrameWindow::Menu::Setup)->actions();
    const auto at = [&](std::uint32_t command) { return setup.indexOf(m_commands.Action(command)); };
    EXPECT_EQ(at(Commands::kCommsDataSave), at(Commands::kCommsOnLine) + 1);
    EXPECT_EQ(at(Commands::kCommsLumen), at(Commands::kCommsDataSave) + 1);
}

}  // namespace
}  // namespace varnel
