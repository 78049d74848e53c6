#include "app/StartLogin.h"

#include "db/site/GeneralSetup.h"
#include "settings/LoginForm.h"
#include "settings/UserSetupList.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace varnel {
namespace {

class ScriptedLogin final : public ILoginDialog {
public:
    bool Run(LoginForm& form) override
    {
        ++m_shown;
        return m_answer ? m_answer(form) : false;
    }
    std::function<bool(LoginForm&)> m_answer;  // none: the user cancels
    int m_shown = 0;
};

class StartLoginTest : public ::testing::Test {
protected:
    void AddUser(const char* name, const char* password)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = name;
        user->m_password = password;
        m_users.Add(std::move(user));
    }
    LoginOutcome LogIn(const char* user, const char* password)
    {
        CommandLineSwitches switches;
        switches.user = user;
        switches.password = password;
        return LogInAtStart(m_users, m_setup, switches, m_dialog);
    }

    CUserSetupList m_users;
    CGeneralSetup m_setup;
    ScriptedLogin m_dialog;
};

TEST_F(StartLoginTest, WithoutUsersNobodyLogsInAndTheSwitchesAreIgnored)
{
    EXPECT_TRUE(LogIn("ann", "apple").loggedIn);
    EXPECT_EQ(m_dialog.m_shown, 0);
    EXPECT_EQ(m_users.GetCurrentUser(), nullptr);
}

TEST_F(StartLoginTest, TheCommandLineLogsInSilently)
{
    AddUser("ann", "apple");
    AddUser("bob", "birch");
    EXPECT_TRUE(LogIn("bob", "birch").loggedIn);
    EXPECT_EQ(m_dialog.m_shown, 0);
    EXPECT_EQ(m_users.GetCurrentUser()->m_name, "bob");
}

TEST_F(StartLoginTest, AWrongOrMissingPasswordFallsBackToTheDialog)
{
    AddUser("ann", "apple");
    AddUser("bob", "birch");
    // Cancelling the dialog ends the start.
    EXPECT_FALSE(LogIn("bob", "wrong").loggedIn);
    EXPECT_EQ(m_dialog.m_shown, 1);
    EXPECT_EQ(m_users.GetCurrentUser(), nullptr);

    m_dialog.m_answer = [](LoginForm& form) {
        form.Select(0);
        form.SetPassword("apple");
        std::string entry = "cherry", confirmation = "cherry";
        return form.ChangePassword(entry, confirmation);
    };
    const LoginOutcome outcome = LogIn("bob", "");
    EXPECT_TRUE(outcome.loggedIn);
    EXPECT_TRUE(outcome.passwordChanged);
    EXPECT_EQ(m_users.GetCurrentUser()->m_name, "ann");
    EXPECT_EQ(m_dialog.m_shown, 2);
}

TEST_F(StartLoginTest, ASingleUserWithoutAPasswordNeedsNoDialog)
{
    AddUser("ann", "");
    EXPECT_TRUE(LogIn("", "").loggedIn);
    EXPECT_EQ(m_dialog.m_shown, 0);
    EXPECT_EQ(m_users.GetCurrentUser()->m_name, "ann");
}

}  // namespace
}  // namespace varnel
