#include "app/ui/LoginDlg.h"

#include "app/ui/NewPasswordDlg.h"
#include "settings/LoginForm.h"
#include "support/RecordingPrompt.h"
#include "support/ui/GuiTest.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace varnel {
namespace {

class LoginDlgTest : public test::GuiTest {
protected:
    LoginDlgTest()
    {
        AddUser("Ann", "apple");
        AddUser("Bj\xF6rn", "birch");  // a store name in Windows-1252
    }
    void AddUser(const char* name, const char* password)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = name;
        user->m_password = password;
        m_users.Add(std::move(user));
    }
    void Type(QWidget& dialog, const char* field, const char* text)
    {
        QLineEdit* edit = test::Child<QLineEdit>(dialog, field);
        edit->clear();
        QTest::keyClicks(edit, text);
    }
    void Click(QWidget& dialog, const char* button)
    {
        QTest::mouseClick(test::Child<QPushButton>(dialog, button), Qt::LeftButton);
    }

    test::RecordingPrompt m_prompt;
    CUserSetupList m_users;
    CGeneralSetup m_setup;
};

TEST_F(LoginDlgTest, TheChosenUserLogsInWithTheirPassword)
{
    LoginForm form(m_users, m_setup);
    CLoginDlg dialog(form, CodePage::Western);
    dialog.show();
    auto* users = test::Child<QComboBox>(dialog, "userId");
    ASSERT_EQ(users->count(), 2);
    EXPECT_EQ(users->itemText(1), QString::fromUtf16(u"Björn"));
    users->setCurrentIndex(1);
    Type(dialog, "password", "birch");
    QTest::keyClick(test::Child<QLineEdit>(dialog, "password"), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_NE(m_users.GetCurrentUser(), nullptr);
    EXPECT_EQ(m_users.GetCurrentUser()->m_name, "Bj\xF6rn");
}

TEST_F(LoginDlgTest, ThreeWrongPasswordsEndTheLoginAfterTwoMessages)
{
    LoginForm form(m_users, m_setup);
    CLoginDlg dialog(form, CodePage::Western);
    dialog.show();
    for (int attempt = 0; attempt < 2; ++attempt) {
        Type(dialog, "password", "pear");
        Click(dialog, "ok");
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_TRUE(test::Child<QLineEdit>(dialog, "password")->text().isEmpty());
    }
    Type(dialog, "password", "pear");
    Click(dialog, "ok");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61310, 61310}));
    EXPECT_EQ(m_users.GetCurrentUser(), nullptr);
}

TEST_F(LoginDlgTest, ChangePasswordAsksTwiceAndLogsInWithTheNewOne)
{
    LoginForm form(m_users, m_setup);
    CLoginDlg dialog(form, CodePage::Western);
    dialog.show();
    // Without the current password the new one is not asked for.
    Click(dialog, "changePassword");
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61309}));

    Type(dialog, "password", "apple");
    test::WhenModalShows([&](QWidget& modal) {
        ASSERT_EQ(modal.objectName(), "newPasswordDialog");
        Type(modal, "newPassword", "cherry");
        Type(modal, "confirmPassword", "cheery");
        Click(modal, "ok");
        EXPECT_TRUE(test::Child<QLineEdit>(modal, "newPassword")->text().isEmpty());
        EXPECT_TRUE(modal.isVisible());
        Type(modal, "newPassword", "cherry");
        Type(modal, "confirmPassword", "cherry");
        Click(modal, "ok");
    });
    Click(dialog, "changePassword");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61309, 61312}));
    EXPECT_EQ(m_users.GetAt(0).m_password, "cherry");
    EXPECT_TRUE(form.WasPasswordChanged());
    EXPECT_EQ(test::Child<QLineEdit>(dialog, "password")->text(), "cherry");
}

TEST_F(LoginDlgTest, ChangePasswordIsHiddenForAustralianStandardNutrition)
{
    m_setup.m_market = MarketAustralia;
    m_setup.m_nutritionInUse = 1;
    LoginForm form(m_users, m_setup);
    CLoginDlg dialog(form, CodePage::Western);
    dialog.show();
    EXPECT_FALSE(test::Child<QPushButton>(dialog, "changePassword")->isVisible());
    Click(dialog, "cancel");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(form.IsLoggedIn());
}

}  // namespace
}  // namespace varnel
