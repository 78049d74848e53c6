// The PLU pickers on screen, driven by their real widgets over a ".pld" PLU database: typing in the
// PLU number and POS code edits, their Up, Down and page keys, clicks and double clicks on the list,
// its scroll bar, the department, group, sort and search combos, Enter; Select PLUs with its pickers
// and warnings; Set Field Sequence.
#include "../PluListFixture.h"

#include "pluedit/ui/PluListPanel.h"
#include "pluedit/ui/SelectPluDlg.h"
#include "pluedit/ui/SelectPluRangeDlg.h"
#include "pluedit/ui/SetFieldSequenceDlg.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace varnel::test {
namespace {

class SelectPluDlgTest : public GuiTest, public PluListDatabase {
protected:
    void SetUp() override { OpenDatabase("pld"); }

    // PLUs 1 to 40: "Lamb n" for the first ten, "Beef n" after; POS code 1000 - n; departments 1 and 2.
    void AddForty()
    {
        for (std::uint32_t n = 1; n <= 40; ++n) {
            const std::string name = (n <= 10 ? "Lamb " : "Beef ") + std::to_string(n);
            const std::string posCode = std::to_string(1000 - n);
            Add({n, name.c_str(), posCode.c_str(), static_cast<std::uint16_t>(n % 2 + 1), 1});
        }
    }
    std::unique_ptr<SelectPluForm> Form(std::uint32_t initialPlu)
    {
        return std::make_unique<SelectPluForm>(&Plus(), m_departments, Settings(), initialPlu);
    }
    static void Retype(QWidget& dialog, const char* id, const char* text)
    {
        QLineEdit* edit = Child<QLineEdit>(dialog, id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Shows the dialog as the active window, so that the focus moves as the user moves it.
    static void Show(QDialog& dialog)
    {
        dialog.show();
        dialog.activateWindow();
        ProcessEvents();
    }
    // The centre of a row of the panel, counted from the first row in view.
    static QPoint RowInView(const PluListPanelForm& panel, int row)
    {
        const int height = panel.GetRowGeometry().rowHeight;
        return {40, panel.GetArea().top + 2 + row * height + height / 2};
    }
};

TEST_F(SelectPluDlgTest, OpensOnTheCallersPluWithTheNumberEditFocused)
{
    Add({{5}, {9}, {20}});
    auto form = Form(6);
    CSelectPluDlg dialog(*form);
    Show(dialog);
    EXPECT_EQ(form->GetSelectedPluNumber(), 9u);
    EXPECT_EQ(Child<QLineEdit>(dialog, "103")->text(), "6");
    EXPECT_TRUE(Child<QLineEdit>(dialog, "103")->hasFocus());
    EXPECT_EQ(Child<QComboBox>(dialog, "1276")->currentText(), "Rec. No.");
    EXPECT_EQ(Child<QLabel>(dialog, "1470")->text(), "POS Code");
    EXPECT_FALSE(Child<QLabel>(dialog, "1171")->isVisible());  // no cost column
    EXPECT_FALSE(Child<QComboBox>(dialog, "1015")->isEnabled());  // no department chosen yet
}

TEST_F(SelectPluDlgTest, TypedNumbersAndTheEditsKeysMoveTheList)
{
    AddForty();
    auto form = Form(1);
    CSelectPluDlg dialog(*form);
    Show(dialog);
    const PluListPanelForm& panel = form->GetPanel();
    Retype(dialog, "103", "25");
    EXPECT_EQ(form->GetSelectedPluNumber(), 25u);
    EXPECT_EQ(Child<QLineEdit>(dialog, "102")->text(), "975");
    EXPECT_EQ(Child<QComboBox>(dialog, "123")->currentText(), "Beef 25");

    QLineEdit* pluNo = Child<QLineEdit>(dialog, "103");
    QTest::keyClick(pluNo, Qt::Key_Down);
    EXPECT_EQ(form->GetSelectedPluNumber(), 26u);
    EXPECT_EQ(pluNo->text(), "26");
    QTest::keyClick(pluNo, Qt::Key_PageUp);
    EXPECT_EQ(panel.GetCurrentRow(), 25u - static_cast<std::size_t>(panel.GetRowGeometry().visibleRows - 1));
    QTest::keyClick(pluNo, Qt::Key_Home);  // the edit's own key: the list stays
    EXPECT_EQ(pluNo->cursorPosition(), 0);
    EXPECT_EQ(panel.GetCurrentRow(), 25u - static_cast<std::size_t>(panel.GetRowGeometry().visibleRows - 1));

    // The POS code edit orders by POS code and finds by it.
    Retype(dialog, "102", "962");
    EXPECT_EQ(panel.GetOrderMode(), PluListPanelForm::kPosCodeOrder);
    EXPECT_EQ(form->GetSelectedPluNumber(), 38u);
    EXPECT_EQ(pluNo->text(), "38");
    QTest::keyClick(Child<QLineEdit>(dialog, "102"), Qt::Key_Up);  // the next lower POS code: PLU 39
    EXPECT_EQ(form->GetSelectedPluNumber(), 39u);
}

TEST_F(SelectPluDlgTest, AClickMakesARowCurrentAndADoubleClickSelectsIt)
{
    AddForty();
    auto form = Form(1);
    CSelectPluDlg dialog(*form);
    Show(dialog);
    const PluListPanelForm& panel = form->GetPanel();
    ASSERT_GT(panel.GetRowGeometry().visibleRows, 4);
    QTest::mouseClick(&dialog.Panel(), Qt::LeftButton, {}, RowInView(panel, 3));
    EXPECT_EQ(form->GetSelectedPluNumber(), 4u);
    EXPECT_TRUE(dialog.Panel().hasFocus());
    QTest::keyClick(&dialog.Panel(), Qt::Key_Down);
    EXPECT_EQ(form->GetSelectedPluNumber(), 5u);

    QScrollBar* bar = Child<QScrollBar>(dialog, "109");
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(panel.GetScrollPos(), static_cast<std::size_t>(panel.GetRowGeometry().visibleRows));
    EXPECT_EQ(bar->value(), panel.GetRowGeometry().visibleRows);

    QTest::mouseDClick(&dialog.Panel(), Qt::LeftButton, {}, RowInView(panel, 0));
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    const std::uint32_t chosen = static_cast<std::uint32_t>(panel.GetRowGeometry().visibleRows) + 1;
    EXPECT_EQ(form->GetSelectedPluNumber(), chosen);
    EXPECT_EQ(form->GetResultPlu(), static_cast<long>(chosen));
}

TEST_F(SelectPluDlgTest, EnterWithTheListFocusedSelects)
{
    AddForty();
    auto form = Form(7);
    CSelectPluDlg dialog(*form);
    Show(dialog);
    dialog.Panel().setFocus();
    QTest::keyClick(&dialog.Panel(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form->GetResultPlu(), 7);
}

TEST_F(SelectPluDlgTest, TheCombosFilterOrderAndSearchTheList)
{
    AddForty();
    auto form = Form(1);
    CSelectPluDlg dialog(*form);
    Show(dialog);
    const PluListPanelForm& panel = form->GetPanel();

    QComboBox* dept = Child<QComboBox>(dialog, "1014");
    dept->setFocus();
    QTest::keyClick(dept, Qt::Key_Down);
    EXPECT_EQ(dept->currentText(), "01 Meat");  // the even PLUs
    EXPECT_EQ(panel.GetRowCount(), 20u);
    QComboBox* group = Child<QComboBox>(dialog, "1015");
    EXPECT_TRUE(group->isEnabled());
    EXPECT_EQ(group->count(), 3);
    group->setFocus();
    QTest::keyClick(group, Qt::Key_Down);  // "01 Beef": every even PLU is in it
    EXPECT_EQ(panel.GetGroupFilter(), 1);
    EXPECT_EQ(panel.GetRowCount(), 20u);
    QTest::keyClick(group, Qt::Key_Down);  // "02 Lamb": none
    EXPECT_EQ(panel.GetRowCount(), 0u);
    EXPECT_FALSE(form->GetSelectedPluNumber());
    dept->setFocus();
    QTest::keyClick(dept, Qt::Key_Up);
    EXPECT_EQ(panel.GetRowCount(), 40u);

    QComboBox* sort = Child<QComboBox>(dialog, "1276");
    sort->setFocus();
    QTest::keyClick(sort, Qt::Key_Down);  // "Desc.": name order
    EXPECT_EQ(panel.GetOrderMode(), PluListPanelForm::kNameOrder);
    EXPECT_FALSE(Child<QLineEdit>(dialog, "103")->isEnabled());
    Child<QScrollBar>(dialog, "109")->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(PluListDatabase::InView(panel).front(), 11u);  // "Beef 11" first

    QComboBox* search = Child<QComboBox>(dialog, "123");
    search->setFocus();
    search->lineEdit()->selectAll();
    QTest::keyClicks(search->lineEdit(), "lamb 1");
    EXPECT_TRUE(panel.IsNameSearch());
    EXPECT_EQ(PluListDatabase::InView(panel), (std::vector<std::uint32_t>{1, 10}));
    EXPECT_EQ(search->currentText(), "lamb 1");
    sort->setFocus();  // leaving the search combo keeps its text in the history
    EXPECT_EQ(search->count(), 1);
    EXPECT_EQ(search->itemText(0), "LAMB 1");
}

TEST_F(SelectPluDlgTest, SelectWithAnEmptyListAndATypedNumberGivesNoPlu)
{
    auto form = Form(1);
    CSelectPluDlg dialog(*form);
    Show(dialog);
    Retype(dialog, "103", "42");
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form->GetResultPlu(), 42);
    EXPECT_FALSE(form->GetSelectedPluNumber());
}

TEST_F(SelectPluDlgTest, SelectPlusPicksItsBoundsInSelectPlu)
{
    AddForty();
    RecordingPrompt prompt;
    SelectPluRangeForm form(3, 30, 999999, GetMessageText(16390).data(), "");
    CSelectPluRangeDlg dialog(form, MakePluPicker(&Plus(), m_departments, Settings(), nullptr));
    dialog.show();
    EXPECT_EQ(Child<QLabel>(dialog, "1064")->text(), "Select PLUs to delete");
    Child<QLineEdit>(dialog, "1060")->setText("12");
    // The picker opens on the edit's number; Down and Select take the next PLU.
    WhenModalShows([](QWidget& picker) {
        EXPECT_EQ(Child<QLineEdit>(picker, "103")->text(), "12");
        QTest::keyClick(Child<QLineEdit>(picker, "103"), Qt::Key_Down);
        QTest::mouseClick(Child<QPushButton>(picker, "1"), Qt::LeftButton);
    });
    QTest::mouseClick(Child<QPushButton>(dialog, "1062"), Qt::LeftButton);
    EXPECT_EQ(Child<QLineEdit>(dialog, "1060")->text(), "13");
    // A cancelled picker leaves the edit.
    WhenModalShows([](QWidget& picker) { QTest::mouseClick(Child<QPushButton>(picker, "2"), Qt::LeftButton); });
    QTest::mouseClick(Child<QPushButton>(dialog, "1063"), Qt::LeftButton);
    EXPECT_EQ(Child<QLineEdit>(dialog, "1061")->text(), "30");

    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompt.m_texts.back(), "Do you wish to delete the specified range of PLUs (PLU 13 to PLU 30)");
    EXPECT_TRUE(form.HasRange());
}

TEST_F(SelectPluDlgTest, SelectPlusWithFromAboveToEndsWithNoRange)
{
    RecordingPrompt prompt;
    SelectPluRangeForm form(10, 5, 999999, "Delete %ld to %ld?", "Select PLUs to move");
    CSelectPluRangeDlg dialog(form, [](std::uint32_t) { return std::nullopt; });
    dialog.show();
    EXPECT_EQ(Child<QLabel>(dialog, "1064")->text(), "Select PLUs to move");
    prompt.QueueAnswer(MessageAnswer::Cancel);
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(prompt.m_ids, (std::vector<MessageId>{61235, 61235}));
    EXPECT_FALSE(form.HasRange());

    SelectPluRangeForm all(1, 5, 999999, "Delete %ld to %ld?", "");
    CSelectPluRangeDlg allDialog(all, [](std::uint32_t) { return std::nullopt; });
    allDialog.show();
    QTest::mouseClick(Child<QPushButton>(allDialog, "1270"), Qt::LeftButton);
    EXPECT_EQ(allDialog.result(), QDialog::Accepted);
    EXPECT_TRUE(all.IsDeleteAll());
}

TEST_F(SelectPluDlgTest, SetFieldSequenceMovesTheSelectedField)
{
    m_frame.AddFieldDef(FieldDefMap::Plu, 1002).m_name = "Sales Mode";
    SetFieldSequenceForm form({1005, 1002, 4242});
    CSetFieldSequenceDlg dialog(form, CodePage::Western);
    dialog.show();
    QListWidget* list = Child<QListWidget>(dialog, "1095");
    EXPECT_EQ(list->item(2)->text(), "Unknown");
    EXPECT_EQ(list->currentRow(), 0);
    QTest::mouseClick(Child<QPushButton>(dialog, "1094"), Qt::LeftButton);
    EXPECT_EQ(list->item(1)->text(), "Unit Price");
    EXPECT_EQ(list->currentRow(), 1);
    list->setCurrentRow(2);
    QTest::mouseClick(Child<QPushButton>(dialog, "1093"), Qt::LeftButton);
    QTest::mouseClick(Child<QPushButton>(dialog, "1"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetFields(), (std::vector<std::uint16_t>{1002, 4242, 1005}));
}

}  // namespace
}  // namespace varnel::test
