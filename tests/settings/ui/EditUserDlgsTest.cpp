// The user dialogs driven through their widgets over the frame's users.
#include "../SettingsListSite.h"
#include "../UserSheetSite.h"
#include "settings/ui/EditUserDlgs.h"
#include "support/ui/GuiTest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace varnel {
namespace {

class EditUserDlgsTest : public test::GuiTest, public test::SettingsListSite {
protected:
    EditUserDlgsTest()
    {
        for (const char* name : {"ann", "bob"}) {
            auto user = std::make_unique<CUserSetup>();
            user->m_name = name;
            Users().Add(std::move(user));
        }
        Users().SetCurrentUser(0);
    }
    CUserSetupList& Users() { return m_frame.m_access.m_users; }
    // A click on the button's left end, where a check box has its box.
    static void Click(QWidget& parent, const char* button)
    {
        QAbstractButton* target = test::Child<QAbstractButton>(parent, button);
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(8, target->height() / 2));
    }

    test::UserSheetSiteFixture m_sheetSite{m_frame};
};

TEST_F(EditUserDlgsTest, EditingAUsersGridAndRightsThroughTheSheetStoresThem)
{
    EditUsersForm form(Users(), m_log, m_sheetSite.m_site);
    CEditUsersDlg dialog(form, CodePage::Western);
    dialog.show();
    QListWidget* list = test::Child<QListWidget>(dialog, "list");
    EXPECT_EQ(list->item(0)->text(), "ann*");
    list->setCurrentRow(1);
    test::WhenModalShows([](QWidget& sheet) {
        ASSERT_EQ(sheet.objectName(), "editUserSheet");
        EXPECT_EQ(sheet.windowTitle(), "Edit User");
        QTabWidget* pages = test::Child<QTabWidget>(sheet, "pages");
        EXPECT_EQ(pages->count(), 3);  // default system type 10: the RUX page too
        QLineEdit* name = test::Child<QLineEdit>(sheet, "name");
        name->selectAll();
        QTest::keyClicks(name, "robert");
        Click(sheet, "delete4");  // Extra Messages: no delete
        pages->setCurrentIndex(2);
        Click(sheet, "update70");  // Comments/Lot Msg.: no update
        pages->setCurrentIndex(1);
        Click(sheet, "right6");  // no scheduler
        Click(sheet, "ok");
    });
    Click(dialog, "edit");
    const CUserSetup& bob = Users().GetAt(1);
    EXPECT_EQ(bob.m_name, "robert");
    for (const std::size_t table : {4, 29, 30}) EXPECT_EQ(bob.m_tablePermission[table], AccessView | AccessUpdate) << table;
    EXPECT_EQ(bob.m_tablePermission[70], AccessView | AccessDelete);
    EXPECT_EQ(bob.m_tablePermission[5], 0);
    EXPECT_FALSE(bob.HasRight(RightScheduler));
    EXPECT_EQ(list->item(1)->text(), "robert");
}

TEST_F(EditUserDlgsTest, TheFieldSwitchesAndACopiedProfileReachTheSheet)
{
    m_sheetSite.AddProfile("Clerk", AccessView).m_rights[RightBatchMode] = 0;
    CUserSetup& bob = Users().GetAt(1);
    EditUserForm form(bob, m_sheetSite.m_site);
    CEditUser sheet(form, CodePage::Western);
    sheet.show();
    test::WhenModalShows([](QWidget& fields) {
        ASSERT_EQ(fields.objectName(), "fieldSetupDialog");
        EXPECT_EQ(fields.windowTitle(), "User Access PLU Field Selection");
        Click(fields, "field1005");
        Click(fields, "ok");
    });
    Click(sheet, "fieldSwitches");
    EXPECT_EQ(form.User().m_fieldFlags[5], 0);
    test::WhenModalShows([](QWidget& picker) {
        ASSERT_EQ(picker.objectName(), "selectUserProfileDialog");
        Click(picker, "select");
    });
    Click(sheet, "copyProfile");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{EditUserForm::kMsgCopyFromProfile});
    EXPECT_FALSE(test::Child<QCheckBox>(sheet, "update1")->isChecked());
    EXPECT_FALSE(test::Child<QCheckBox>(sheet, "right0")->isChecked());
    EXPECT_EQ(test::Child<QLineEdit>(sheet, "name")->text(), "bob");
}

TEST_F(EditUserDlgsTest, RemoveAllClosesTheListAsOk)
{
    EditUsersForm form(Users(), m_log, m_sheetSite.m_site);
    CEditUsersDlg dialog(form, CodePage::Western);
    dialog.show();
    Click(dialog, "removeAll");
    EXPECT_EQ(m_prompt.m_ids, std::vector<MessageId>{EditUsersForm::kMsgRemoveAll});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Users().GetCount(), 0u);
}

TEST_F(EditUserDlgsTest, TheProfileListHasNoRemoveAllAndItsOwnCaption)
{
    test::UserSheetSiteFixture profiles(m_frame, true);
    EditUsersForm form(profiles.m_profiles, m_log, profiles.m_site);
    CEditUsersDlg dialog(form, CodePage::Western);
    EXPECT_EQ(dialog.windowTitle(), "Edit Default User Profiles");
    EXPECT_EQ(dialog.findChild<QPushButton*>("removeAll"), nullptr);
    EXPECT_EQ(dialog.findChild<QLabel*>("currentNote"), nullptr);
}

}  // namespace
}  // namespace varnel
