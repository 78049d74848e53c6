#include "settings/PickerForm.h"
#include "settings/ui/PickerDlgs.h"
#include "support/ui/GuiTest.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class PickerDlgsTest : public test::GuiTest {
protected:
    const ScaleChoiceRow m_choices[3] = {{"Deli 1", true}, {"Deli 2", false}, {"Meat", false}};
};

TEST_F(PickerDlgsTest, SelectScaleGivesTheChoiceOfTheDoubleClickedRow)
{
    PickerForm form = MakeScalePicker(m_choices, true);
    CSelectScaleDlg dialog(form, "Add Scale");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Add Scale");
    QListWidget* list = test::Child<QListWidget>(dialog, "list");
    ASSERT_EQ(list->count(), 2);
    const QRect row = list->visualItemRect(list->item(1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetChosenIndex(), 2u);
}

TEST_F(PickerDlgsTest, NewScaleChoosesTheScaleTheCallerAdded)
{
    PickerForm form = MakeScalePicker(m_choices, true);
    std::optional<std::size_t> added;
    CSelectScaleDlg dialog(form, {}, [&added] { return added; });
    dialog.show();
    QTest::mouseClick(test::Child<QPushButton>(dialog, "newScale"), Qt::LeftButton);
    EXPECT_TRUE(dialog.isVisible());  // the new scale was cancelled
    added = 3;
    QTest::mouseClick(test::Child<QPushButton>(dialog, "newScale"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(form.GetChosenIndex(), 3u);
    // Without a way to add one there is no button.
    PickerForm plain = MakeScalePicker(m_choices, true);
    CSelectScaleDlg plainDialog(plain);
    EXPECT_EQ(plainDialog.findChild<QPushButton*>("newScale"), nullptr);
}

TEST_F(PickerDlgsTest, SelectWithoutARowCancelsTheScalePickerAndKeepsTheDepartmentPicker)
{
    PickerForm scales = MakeScalePicker(m_choices, true);
    CSelectScaleDlg scaleDialog(scales);
    scaleDialog.show();
    test::Child<QListWidget>(scaleDialog, "list")->clearSelection();
    QTest::mouseClick(test::Child<QPushButton>(scaleDialog, "select"), Qt::LeftButton);
    EXPECT_FALSE(scaleDialog.isVisible());
    EXPECT_EQ(scaleDialog.result(), QDialog::Rejected);

    PickerForm departments({"Deli", "Meat"}, {0, 1}, std::nullopt);
    CSelectDeptDlg deptDialog(departments);
    deptDialog.show();
    QTest::mouseClick(test::Child<QPushButton>(deptDialog, "select"), Qt::LeftButton);
    EXPECT_TRUE(deptDialog.isVisible());
    test::Child<QListWidget>(deptDialog, "list")->setCurrentRow(1);
    QTest::mouseClick(test::Child<QPushButton>(deptDialog, "select"), Qt::LeftButton);
    EXPECT_EQ(deptDialog.result(), QDialog::Accepted);
    EXPECT_EQ(departments.GetChosenIndex(), 1u);
}

}  // namespace
}  // namespace varnel
