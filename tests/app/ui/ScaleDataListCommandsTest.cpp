// The commands of the scale-data list editors: enabled with a database, each opens its list, the
// message lists after the off-line question.
#include "app/ui/ScaleDataListCommands.h"

#include "FrameCommandsFixture.h"
#include "app/ui/MainFrameWindow.h"

#include <QAbstractButton>
#include <QTest>

namespace varnel {
namespace {

using ScaleDataListCommandsTest = test::FrameCommandsFixture;

TEST_F(ScaleDataListCommandsTest, EachCommandOpensItsListOnceADatabaseIsOpen)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterScaleDataListCommands(m_frame, window, m_document);
    m_commands.UpdateActions();
    EXPECT_FALSE(m_commands.Action(32787)->isEnabled());
    OpenNewDatabase();
    m_commands.UpdateActions();

    struct Case {
        std::uint32_t command;
        const char* dialog;
        const char* title;
    };
    const Case cases[] = {{32787, "exMsgListDialog", "Select Extra Message"},
                          {32965, "exMsgListDialog", "Comments"},
                          {32892, "popMsgListDialog", "Origin"},
                          {32894, "shortMsgListDialog", "Storage Instructions"},
                          {32897, "ruxDeptListDialog", "Group"},
                          {32890, "editFreeMsgNamesDialog", "Edit Free Message Names"}};
    for (const Case& c : cases) {
        ASSERT_TRUE(m_commands.Action(c.command)->isEnabled()) << c.command;
        std::string shown, title;
        test::WhenModalShows([&](QWidget& modal) {
            shown = modal.objectName().toStdString();
            title = modal.windowTitle().toStdString();
            QTest::keyClick(&modal, Qt::Key_Escape);
        });
        m_commands.Action(c.command)->trigger();
        EXPECT_EQ(shown, c.dialog) << c.command;
        EXPECT_EQ(title, c.title) << c.command;
    }
    EXPECT_TRUE(m_prompt.m_ids.empty());  // on-line comms are not in use
}

TEST_F(ScaleDataListCommandsTest, WhileTheLinksWaitToStartTheMessageListsAskFirstAndOpenNothingWhenRefused)
{
    MainFrameWindow window(m_model, m_commands);
    RegisterScaleDataListCommands(m_frame, window, m_document);
    OpenNewDatabase();
    AddLoopbackBlockScale(1, 1, 0);  // on-line comms on
    m_frame.GetRun().linksStarted = false;
    m_commands.UpdateActions();

    struct Case {
        std::uint32_t command;
        bool asks;
    };
    // Comments, free messages, ingredients and origin ask; storage temperature and the free message
    // names do not.
    const Case cases[] = {{32887, true}, {32886, true}, {32904, true}, {32892, true}, {32893, false}, {32890, false}};
    for (const Case& c : cases) {
        for (const MessageAnswer answer : {MessageAnswer::Cancel, MessageAnswer::Ok}) {
            if (!c.asks && answer == MessageAnswer::Cancel) continue;
            m_prompt.m_ids.clear();
            const bool opens = !c.asks || answer == MessageAnswer::Ok;
            if (c.asks) m_prompt.QueueAnswer(answer);
            bool shown = false;
            {
                test::ModalAnswers modals;
                if (opens) {
                    modals.Expect([&shown](QWidget& modal) {
                        shown = true;
                        QTest::keyClick(&modal, Qt::Key_Escape);
                    });
                }
                m_commands.Action(c.command)->trigger();
            }
            EXPECT_EQ(shown, opens) << c.command;
            EXPECT_EQ(m_prompt.m_ids, c.asks ? std::vector<MessageId>{31460} : std::vector<MessageId>{}) << c.command;
        }
    }
}

}  // namespace
}  // namespace varnel
