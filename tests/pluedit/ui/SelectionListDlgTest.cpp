// The list dialog on screen, over a subclass that lists names: the report list, its columns, the
// buttons by mode, Enter in the list, and double clicks on rows and below them.
#include "pluedit/ui/SelectionListDlg.h"

#include "support/ui/GuiTest.h"

#include <QHeaderView>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include <optional>

namespace varnel {
namespace {

class NamesForm final : public SelectionListForm {
public:
    explicit NamesForm(int mode)
    {
        SetMode(mode);
        AddColumn(1014, 10);
        AddColumn(1015, 40);
        AddColumn(1016, 40);
    }
    std::vector<std::string> names{"Beef", "Lamb", "Pork"};
    std::optional<int> picked;

protected:
    bool GetRowText(int index, std::vector<std::string>& texts) override
    {
        if (index < 0 || index >= static_cast<int>(names.size())) return false;
        texts = {std::to_string(index + 1), names[static_cast<std::size_t>(index)], "-"};
        return true;
    }
    void InitList(int& selIndex) override
    {
        Surface().SetTitle("Names");
        selIndex = 1;
    }
    bool AddItem(int& index, bool& inserted) override
    {
        names.push_back("Veal");
        index = static_cast<int>(names.size()) - 1;
        inserted = true;
        return true;
    }
    bool EditItem(int& index, bool& inserted) override
    {
        names.at(static_cast<std::size_t>(index)) += " (edited)";
        inserted = false;
        return true;
    }
    bool DeleteItem(int index) override
    {
        names.erase(names.begin() + index);
        return true;
    }
    bool OnSelect(int index) override
    {
        picked = index;
        return true;
    }
};

class SelectionListDlgTest : public test::GuiTest {
protected:
    static QTreeWidget* List(QWidget& dialog) { return test::Child<QTreeWidget>(dialog, "1009"); }
    static std::vector<std::string> Names(QTreeWidget* list)
    {
        std::vector<std::string> names;
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            names.push_back(list->topLevelItem(row)->text(1).toStdString());
        return names;
    }
    static void Click(QWidget& dialog, const char* id) { QTest::mouseClick(test::Child<QPushButton>(dialog, id), Qt::LeftButton); }
    // Shows the dialog as the active window, so that the focus moves as the user moves it.
    static void Show(QDialog& dialog)
    {
        dialog.show();
        dialog.activateWindow();
        test::ProcessEvents();
    }
    static QPoint RowCentre(QTreeWidget* list, int row)
    {
        return list->visualItemRect(list->topLevelItem(row)).center();
    }
};

TEST_F(SelectionListDlgTest, ListsTheRowsInColumnsOfTheirPercentWithTheFirstSelection)
{
    NamesForm form(SelectionListForm::kNormal);
    CSelectionListDlg dialog(form, CodePage::Western);
    Show(dialog);
    QTreeWidget* list = List(dialog);
    EXPECT_EQ(dialog.windowTitle(), "Names");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Beef", "Lamb", "Pork"}));
    EXPECT_EQ(list->selectedItems().value(0), list->topLevelItem(1));
    EXPECT_EQ(list->headerItem()->text(0), "Department");
    const int width = list->viewport()->width();
    EXPECT_EQ(list->columnWidth(0), width * 10 / 100);
    EXPECT_EQ(list->columnWidth(2), width * 40 / 100);
    EXPECT_TRUE(test::Child<QPushButton>(dialog, "2")->isVisible());
    EXPECT_EQ(test::Child<QPushButton>(dialog, "1")->text(), "OK");
}

TEST_F(SelectionListDlgTest, AddEditDeleteAndEnterInTheListWorkTheRows)
{
    NamesForm form(SelectionListForm::kCloseOnly);
    CSelectionListDlg dialog(form, CodePage::Western);
    Show(dialog);
    QTreeWidget* list = List(dialog);
    EXPECT_EQ(test::Child<QPushButton>(dialog, "1")->text(), "Close");
    EXPECT_FALSE(test::Child<QPushButton>(dialog, "2")->isVisible());
    Click(dialog, "122");
    EXPECT_EQ(Names(list).back(), "Veal");
    EXPECT_EQ(list->selectedItems().value(0), list->topLevelItem(3));

    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 0));
    QTest::keyClick(list, Qt::Key_Return);  // with the list focused Enter edits
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(Names(list).front(), "Beef (edited)");

    Click(dialog, "1003");
    EXPECT_EQ(Names(list), (std::vector<std::string>{"Lamb", "Pork", "Veal"}));
    EXPECT_EQ(list->selectedItems().value(0), list->topLevelItem(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, RowCentre(list, 1));  // outside pick mode: edits
    EXPECT_EQ(Names(list).at(1), "Pork (edited)");
    Click(dialog, "1");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(SelectionListDlgTest, PickModeChoosesTheDoubleClickedRowOrNoneBelowTheRows)
{
    for (const bool belowRows : {false, true}) {
        NamesForm form(SelectionListForm::kPick);
        CSelectionListDlg dialog(form, CodePage::Western);
        Show(dialog);
        EXPECT_EQ(test::Child<QPushButton>(dialog, "1")->text(), "Select");
        QTreeWidget* list = List(dialog);
        const QPoint point = belowRows ? QPoint(10, list->viewport()->height() - 4) : RowCentre(list, 2);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, point);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, point);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(form.picked, belowRows ? -1 : 2);
    }
}

TEST_F(SelectionListDlgTest, SelectWithoutARowCancels)
{
    NamesForm form(SelectionListForm::kPick);
    CSelectionListDlg dialog(form, CodePage::Western);
    Show(dialog);
    List(dialog)->clearSelection();
    Click(dialog, "1");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(form.picked);
}

}  // namespace
}  // namespace varnel
