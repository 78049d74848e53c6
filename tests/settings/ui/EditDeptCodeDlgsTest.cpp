// The department code dialogs driven through their widgets, a group code added inside the entry.
#include "../SettingsListSite.h"
#include "settings/ui/EditDeptCodeDlgs.h"
#include "support/ui/GuiTest.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class EditDeptCodeDlgsTest : public test::GuiTest, public test::SettingsListSite {
protected:
    static void Type(QWidget& dialog, const char* field, const char* text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(dialog, field);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void Click(QWidget& parent, const char* button)
    {
        QTest::mouseClick(test::Child<QPushButton>(parent, button), Qt::LeftButton);
    }
};

TEST_F(EditDeptCodeDlgsTest, ADepartmentCodeWithAGroupIsAddedThroughTheNestedDialogs)
{
    CDeptCodeList codes;
    EditDeptCodesForm form(codes, m_log, nullptr, DeptCodeDisplay{}, CharRule{});
    CEditDeptCodesDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_FALSE(test::Child<QPushButton>(dialog, "autoGenerate")->isEnabled());
    test::WhenModalShows([](QWidget& entry) {
        ASSERT_EQ(entry.objectName(), "editDeptCodeDialog");
        Type(entry, "code", "7");
        Type(entry, "name", "Bakery");
        Type(entry, "from", "500");
        Type(entry, "to", "100");
        QWidget* groups = test::Child<QWidget>(entry, "groups");
        test::WhenModalShows([](QWidget& group) {
            ASSERT_EQ(group.objectName(), "editGroupCodeDialog");
            Type(group, "code", "2");
            Type(group, "name", "Bread");
            Click(group, "ok");
        });
        Click(*groups, "add");
        const QListWidget* list = test::Child<QListWidget>(*groups, "list");
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text(), "2 Bread");
        Click(entry, "ok");
    });
    Click(dialog, "add");
    ASSERT_EQ(codes.GetCount(), 1u);
    EXPECT_EQ(codes.GetAt(0).m_pluFrom, 100u);
    EXPECT_EQ(codes.GetAt(0).m_pluTo, 500u);
    ASSERT_EQ(codes.GetAt(0).m_groups.size(), 1u);
    EXPECT_EQ(codes.GetAt(0).m_groups[0]->m_name, "Bread");
    EXPECT_EQ(test::Child<QListWidget>(dialog, "list")->item(0)->text(), "7 Bakery");
}

}  // namespace
}  // namespace varnel
