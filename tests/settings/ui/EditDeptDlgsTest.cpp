// The department dialogs and Change Department driven through their widgets.
#include "../SettingsListSite.h"
#include "settings/DepartmentChoice.h"
#include "settings/MasterScaleList.h"
#include "settings/ui/EditDeptDlgs.h"
#include "settings/ui/PickerDlgs.h"
#include "support/ui/GuiTest.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class EditDeptDlgsTest : public test::GuiTest, public test::SettingsListSite {
protected:
    static void Click(QWidget& parent, const char* button)
    {
        QTest::mouseClick(test::Child<QPushButton>(parent, button), Qt::LeftButton);
    }
    static std::vector<CScaleChoice> Choices(const CMasterScale&)
    {
        return {{1, 11, "Deli 1", false}, {1, 12, "Deli 2", false}};
    }
    CMasterScaleList m_departments;
};

TEST_F(EditDeptDlgsTest, ADepartmentIsAddedWithItsDatabaseAndAScalePicked)
{
    EditDeptSettingsForm form(m_departments, m_log, Choices, {"pld", "*.pld", "Varnel database (*.pld) |*.pld||"},
                              CharRule{});
    CEditDeptSettingsDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_EQ(test::Child<QLabel>(dialog, "currentNote")->text(), "*: Current department");
    m_prompt.QueueSaveName("/srv/deli.pld");
    test::WhenModalShows([](QWidget& entry) {
        ASSERT_EQ(entry.objectName(), "editDeptDialog");
        QTest::keyClicks(test::Child<QLineEdit>(entry, "name"), "Deli");
        Click(entry, "change");
        EXPECT_EQ(test::Child<QLabel>(entry, "database")->text(), "/srv/deli.pld");
        test::WhenModalShows([](QWidget& picker) {
            ASSERT_EQ(picker.objectName(), "selectScaleDialog");
            test::Child<QListWidget>(picker, "list")->setCurrentRow(1);
            Click(picker, "select");
        });
        Click(entry, "addScale");
        const QListWidget* scales = test::Child<QListWidget>(entry, "scales");
        ASSERT_EQ(scales->count(), 1);
        EXPECT_EQ(scales->item(0)->text(), "Deli 2");
        Click(entry, "ok");
    });
    Click(dialog, "add");
    ASSERT_EQ(m_departments.GetDepartments().size(), 1u);
    const CMasterScale& deli = *m_departments.GetDepartments()[0];
    EXPECT_EQ(deli.m_database, "/srv/deli.pld");
    ASSERT_EQ(deli.m_scales.size(), 1u);
    EXPECT_EQ(deli.m_scales[0]->m_scaleId, 12);
    EXPECT_EQ(test::Child<QListWidget>(dialog, "list")->item(0)->text(), "Deli");
}

TEST_F(EditDeptDlgsTest, ChangeDepartmentSelectsTheChosenRow)
{
    for (const auto& [id, name] : {std::pair{3, "Deli"}, std::pair{5, "Meat"}}) {
        auto department = std::make_unique<CMasterScale>();
        department->m_id = static_cast<std::uint16_t>(id);
        department->m_name = name;
        m_departments.Add(std::move(department));
    }
    const bool selected = ChooseCurrent(m_departments, CharRule{}, [](PickerForm& picker) {
        CChangeDeptDlg dialog(picker);
        test::WhenModalShows([](QWidget& modal) {
            EXPECT_EQ(modal.windowTitle(), "Change Department");
            QListWidget* list = test::Child<QListWidget>(modal, "list");
            EXPECT_EQ(list->currentRow(), 0);
            list->setCurrentRow(1);
            Click(modal, "select");
        });
        return dialog.exec() == QDialog::Accepted;
    });
    EXPECT_TRUE(selected);
    EXPECT_EQ(m_departments.GetCurrentId(), 5);
}

}  // namespace
}  // namespace varnel
