// The scale-data list and edit dialogs on screen, driven through their real widgets: Add, Edit and
// Enter on the list open the edit dialogs, typing goes into the embedded label text editor, OK's
// refusals are answered through the prompt, tabs and the sort combo change the list, pick mode gives
// back the number chosen.
#include "ScaleDataDlgFixture.h"

#include "scaledata/EditFreeMsgNamesForm.h"
#include "scaledata/ExMsgListForm.h"
#include "scaledata/PopMsgListForm.h"
#include "scaledata/RuxDeptListForm.h"
#include "scaledata/ui/MessageTextEditDlgs.h"
#include "scaledata/ui/NameDlgs.h"
#include "scaledata/ui/ScaleDataListDlgs.h"
#include "scaledata/ui/ScaleDataListWindows.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTreeWidget>

namespace varnel::test {
namespace {

class ScaleDataDlgsTest : public ScaleDataDlgFixture {
protected:
    static std::vector<std::string> Column(const QWidget& dialog, int column)
    {
        auto* list = Child<QTreeWidget>(dialog, "1009");
        std::vector<std::string> texts;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            texts.push_back(list->topLevelItem(row)->text(column).toStdString());
        return texts;
    }
    static void SelectRow(const QWidget& dialog, int row)
    {
        auto* list = Child<QTreeWidget>(dialog, "1009");
        list->setFocus();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->topLevelItem(row)).center());
    }
    static QWidget* Editor(const QWidget& dialog) { return Child<QWidget>(dialog, "labelTextEdit"); }
    // The modal dialog as the active window, so that the focus goes where it puts it.
    static void Activate(QWidget& modal)
    {
        QApplication::setActiveWindow(&modal);
        ProcessEvents();
    }
};

TEST_F(ScaleDataDlgsTest, AddOpensEditMessageWhoseTypedTextIsStored)
{
    AddMessage(4, 1, "Fresh");
    AddMessage(4, 2, "Frozen");
    AddMessage(4, 4, "Local");
    ExMsgListForm form(m_database, TableOf<CExMsgTb>(4), {true, false, false});
    form.SetMode(SelectionListForm::kCloseOnly);
    CExMsgListDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Select Extra Message");
    EXPECT_EQ(Column(dialog, 0), (std::vector<std::string>{"01 ", "02 ", "04 "}));
    EXPECT_FALSE(Child<QTabBar>(dialog, "1000")->isVisible());
    EXPECT_EQ(Child<QComboBox>(dialog, "1276")->currentText(), "Msg. No.");

    std::string caption, number, name, length;
    WhenModalShows([&](QWidget& modal) {
        caption = Child<QLabel>(modal, "1057")->text().toStdString();
        number = Child<QLineEdit>(modal, "1177")->text().toStdString();
        name = Child<QLineEdit>(modal, "1047")->text().toStdString();
        Activate(modal);
        EXPECT_EQ(QApplication::focusWidget(), Editor(modal));
        QTest::keyClicks(Editor(modal), "Halal");
        QTest::keyClick(Editor(modal), Qt::Key_Return);
        QTest::keyClicks(Editor(modal), "certified");
        length = Child<QLabel>(modal, "1058")->text().toStdString();
        SetText(modal, "1047", "Halal");
        Click(modal, "ok");
    });
    Click(dialog, "122");
    EXPECT_EQ(caption, "Message #3");
    EXPECT_EQ(number, "3");
    EXPECT_EQ(name, "Message No. 3");
    EXPECT_NE(length, "Len = 0.00mm");
    const CExMsgRec* stored = TableOf<CExMsgTb>(4).FindMessage(3);
    ASSERT_NE(stored, nullptr);
    EXPECT_EQ(stored->GetName(), "Halal");
    // Two lines in the extra message's default line font, which prints capitals.
    EXPECT_EQ(stored->GetText(), Esc('C', '2') + "HALAL" + Esc('C', '2') + "CERTIFIED");
    EXPECT_EQ(Column(dialog, 1), (std::vector<std::string>{"Fresh", "Frozen", "Halal", "Local"}));
    EXPECT_EQ(TakeRequests(), std::vector<std::string>{"0 4 3-3"});
}

TEST_F(ScaleDataDlgsTest, EditMessageRefusesANumberOutOfRangeAndEscapeInItsEditorCancels)
{
    m_frame.m_setup.m_maxExMessageNo = 99;
    AddMessage(4, 1, "Fresh");
    ExMsgListForm form(m_database, TableOf<CExMsgTb>(4), {true, false, false});
    CExMsgListDlg dialog(form, CodePage::Western);
    Show(dialog);
    SelectRow(dialog, 0);

    bool stillOpen = false;
    bool numberFocused = false;
    bool nameNext = false;
    WhenModalShows([&](QWidget& modal) {
        Activate(modal);
        SetText(modal, "1177", "0");
        Click(modal, "ok");
        stillOpen = modal.isVisible();

        numberFocused = QApplication::focusWidget() == Child<QLineEdit>(modal, "1177");
        QTest::keyClick(Child<QLineEdit>(modal, "1177"), Qt::Key_Tab);
        nameNext = QApplication::focusWidget() == Child<QLineEdit>(modal, "1047");
        SetText(modal, "1177", "7");
        Click(modal, "ok");
    });
    QTest::keyClick(Child<QTreeWidget>(dialog, "1009"), Qt::Key_Return);  // Enter on the list edits
    EXPECT_TRUE(stillOpen);
    EXPECT_TRUE(numberFocused);
    EXPECT_TRUE(nameNext);
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{61269});
    EXPECT_TRUE(TableOf<CExMsgTb>(4).FindMessage(7));
    EXPECT_EQ(Column(dialog, 0), (std::vector<std::string>{"01 ", "07 "}));
    EXPECT_TRUE(dialog.isVisible());

    WhenModalShows([&](QWidget& modal) {
        Activate(modal);
        QTest::keyClicks(Editor(modal), "gone");
        QTest::keyClick(Editor(modal), Qt::Key_Escape);
    });
    Click(dialog, "122");
    EXPECT_FALSE(TableOf<CExMsgTb>(4).FindMessage(2));
}

TEST_F(ScaleDataDlgsTest, TabsAndTheSortComboChangeTheList)
{
    AddMessage(72, 1, "zucchini");
    AddMessage(72, 2, "Apple");
    AddMessage(73, 1, "Second set");
    ExMsgListForm form(m_database, TableOf<CExMsgTb>(72), {true, false, false});
    CExMsgListDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Free Messages");
    auto* tabs = Child<QTabBar>(dialog, "1000");
    ASSERT_TRUE(tabs->isVisible());
    EXPECT_EQ(tabs->count(), 5);
    EXPECT_EQ(tabs->tabText(4), "Free Msg. #5");

    auto* sort = Child<QComboBox>(dialog, "1276");
    sort->setCurrentIndex(1);
    emit sort->activated(1);
    EXPECT_EQ(Column(dialog, 1), (std::vector<std::string>{"Apple", "zucchini"}));
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(Column(dialog, 1), std::vector<std::string>{"Second set"});
}

TEST_F(ScaleDataDlgsTest, PopPickListGivesBackAPredefinedNumber)
{
    m_frame.m_setup.m_defaultScaleFamily = 0;
    auto* row = dynamic_cast<CPopMsgRec*>(TableOf<CPopMsgTb>(37).GetOrAddRecord(7, CPopMsgRec::kSize));
    row->SetText(Esc('C', '0') + "Special");
    PopMsgListForm form(TableOf<CPopMsgTb>(37));
    form.SetMode(SelectionListForm::kPick);
    form.SetChosenNumber(7);
    CPopMsgListDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(Column(dialog, 1).back(), "Special");
    EXPECT_EQ(Child<QPushButton>(dialog, "1")->text(), "Select");
    SelectRow(dialog, 3);
    EXPECT_FALSE(Child<QPushButton>(dialog, "1006")->isEnabled());
    EXPECT_FALSE(Child<QPushButton>(dialog, "1003")->isEnabled());
    auto* list = Child<QTreeWidget>(dialog, "1009");
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(3)).center());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetChosenNumber(), 3u);
}

// The document's message picker: the number chosen; Cancel gives the current number back, but
// 0xFFFFFFFF for the storage texts.
TEST_F(ScaleDataDlgsTest, SelectMessageNoGivesTheChoiceOrOnCancelWhatItsKindGives)
{
    AddMessage(4, 7, "Seven");
    const ScaleDataListSite site{m_database, {true, false, false}, CodePage::Western, nullptr};
    struct Case {
        const char* name;
        std::uint32_t type;
        bool pick;
        std::uint32_t expected;
    };
    const Case cases[] = {
        {"extra message chosen", 2, true, 7},
        {"extra message cancelled", 2, false, 5},
        {"comment cancelled", 11, false, 5},
        {"storage temperature cancelled", 12, false, 0xFFFFFFFF},
        {"storage instruction cancelled", 13, false, 0xFFFFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bool opened = false;
        WhenModalShows([&](QWidget& modal) {
            opened = true;
            auto* list = Child<QTreeWidget>(modal, "1009");
            for (int row = 0; c.pick && row < list->topLevelItemCount(); ++row)
                if (list->topLevelItem(row)->text(0).trimmed().toUInt() == 7) SelectRow(modal, row);
            if (c.pick) Click(modal, "1");
            else QTest::keyClick(&modal, Qt::Key_Escape);
        });
        EXPECT_EQ(SelectMessageNo(m_frame.m_setup, c.type, 5, site), c.expected);
        EXPECT_TRUE(opened);
    }
}

TEST_F(ScaleDataDlgsTest, EditCategoryTakesANumberAndAName)
{
    RuxDeptListForm form(TableOf<CRuxDeptTb>(82));
    CRuxDeptListDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Department");
    std::string title;
    WhenModalShows([&](QWidget& modal) {
        title = modal.windowTitle().toStdString();
        SetText(modal, "1004", "Fruit and vegetables of all kinds");
        SetText(modal, "1151", "0");
        Click(modal, "ok");
        SetText(modal, "1151", "3");
        Click(modal, "ok");
    });
    Click(dialog, "122");
    EXPECT_EQ(title, "Edit Department");
    EXPECT_EQ(m_prompt.m_texts, std::vector<std::string>{"Please enter an integer between 1 and 9999."});
    ASSERT_TRUE(TableOf<CRuxDeptTb>(82).FindName(3));
    EXPECT_EQ(TableOf<CRuxDeptTb>(82).FindName(3)->GetName(), Esc('C', '0') + "Fruit and vegetables of al");
    EXPECT_EQ(Column(dialog, 0), std::vector<std::string>{"03"});
}

TEST_F(ScaleDataDlgsTest, FreeMessageNamesAreCutToTheFamilysLengthAndEverySetIsSent)
{
    m_frame.m_setup.m_defaultScaleFamily = 11;
    CEditFreeMsgNamesForm form(TableOf<CFreeMsgNameTb>(77));
    CEditFreeMsgNamesDlg dialog(form, CodePage::Western);
    Show(dialog);
    EXPECT_EQ(Child<QLineEdit>(dialog, "1150")->maxLength(), 15);
    SetText(dialog, "1151", "Cooking instructions");
    Click(dialog, "ok");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(CFreeMsgNameTb::GetFreeMsgName(*TableOf<CFreeMsgNameTb>(77).FindName(2)), "Cooking instruc");
    EXPECT_EQ(TakeRequests().size(), 5u);
}

}  // namespace
}  // namespace varnel::test
