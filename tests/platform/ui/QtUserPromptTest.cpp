#include "platform/ui/QtUserPrompt.h"

#include "support/ui/GuiTest.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <future>

namespace varnel {
namespace {

class QtUserPromptTest : public test::GuiTest {
protected:
    QtUserPrompt m_prompt{"Varnel"};
};

TEST_F(QtUserPromptTest, AMessageBoxShowsTheTextAndGivesTheButtonClicked)
{
    QString shownText;
    test::WhenModalShows([&](QWidget& modal) {
        auto& box = dynamic_cast<QMessageBox&>(modal);
        shownText = box.text();
        EXPECT_EQ(box.windowTitle(), "Varnel");
        QTest::mouseClick(box.button(QMessageBox::No), Qt::LeftButton);
    });
    EXPECT_EQ(ShowMessage(61414, MessageButtons::YesNoCancel), MessageAnswer::No);
    EXPECT_EQ(shownText, "The current keyboard has unsaved changes!\nDo you wish to save?");

    test::WhenModalShows([](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); });
    EXPECT_EQ(ShowMessage(61260, MessageButtons::OkCancel), MessageAnswer::Cancel);
}

TEST_F(QtUserPromptTest, AWorkerThreadsQuestionIsAskedOnTheWindowsThread)
{
    auto answer = std::async(std::launch::async, [] { return ShowMessageText("from a link", MessageButtons::YesNo); });
    test::WhenModalShows([](QWidget& modal) {
        QTest::mouseClick(dynamic_cast<QMessageBox&>(modal).button(QMessageBox::Yes), Qt::LeftButton);
    });
    while (answer.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready) test::ProcessEvents();
    EXPECT_EQ(answer.get(), MessageAnswer::Yes);
}

TEST_F(QtUserPromptTest, TheSaveChooserGivesTheNameOrNone)
{
    test::WhenModalShows([](QWidget& modal) {
        auto& dialog = dynamic_cast<QFileDialog&>(modal);
        EXPECT_EQ(dialog.nameFilters(), (QStringList{"Varnel Files (*.pld)", "All Files (*.*)"}));
        dialog.selectFile("/tmp/Shop2");
        static_cast<QDialog&>(dialog).accept();
    });
    EXPECT_EQ(AskSaveFileName("pld", "Shop.pld", "Varnel Files (*.pld)|*.pld|All Files (*.*)|*.*||"),
              "/tmp/Shop2.pld");
    test::WhenModalShows([](QWidget& modal) { dynamic_cast<QDialog&>(modal).reject(); });
    EXPECT_EQ(AskSaveFileName("pld", "Shop.pld", "Varnel Files (*.pld)|*.pld||"), std::nullopt);
}

TEST(DialogFilterTest, WindowsFormToNameFilters)
{
    EXPECT_EQ(ToDialogFilter("Varnel Files (*.pld)|*.pld|Access (*.mdb)|*.mdb||"),
              "Varnel Files (*.pld);;Access (*.mdb)");
    EXPECT_EQ(ToDialogFilter("Data Save|*.001;*.002||"), "Data Save (*.001 *.002)");
    EXPECT_EQ(ToDialogFilter(""), "");
}

}  // namespace
}  // namespace varnel
