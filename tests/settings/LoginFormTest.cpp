// The interactive login: no dialog for a lone user without a password, three tries, the new password.
#include "settings/LoginForm.h"
#include "support/RecordingPrompt.h"

#include <gtest/gtest.h>

namespace varnel::test {
namespace {

class LoginFormTest : public ::testing::Test {
protected:
    CUserSetup& AddUser(std::string name, std::string password)
    {
        auto user = std::make_unique<CUserSetup>();
        user->m_name = std::move(name);
        user->m_password = std::move(password);
        return m_users.Add(std::move(user));
    }

    CUserSetupList m_users;
    CGeneralSetup m_setup;
    RecordingPrompt m_prompt;
};

TEST_F(LoginFormTest, ALoneUserWithoutAPasswordNeedsNoDialog)
{
    AddUser("Ann", "");
    LoginForm form(m_users, m_setup);
    EXPECT_FALSE(form.NeedsDialog());
    EXPECT_EQ(m_users.GetCurrentIndex(), std::optional<std::size_t>(0));
}

TEST_F(LoginFormTest, APasswordOrASecondUserNeedsTheDialog)
{
    AddUser("Ann", "a");
    EXPECT_TRUE(LoginForm(m_users, m_setup).NeedsDialog());
    m_users.GetAt(0).m_password.clear();
    AddUser("Bob", "");
    EXPECT_TRUE(LoginForm(m_users, m_setup).NeedsDialog());
    EXPECT_EQ(m_users.GetCurrentUser(), nullptr);
}

TEST_F(LoginFormTest, TheCurrentUserIsChosenFirstAndTheRightPasswordLogsIn)
{
    AddUser("Ann", "a");
    AddUser("Bob", "b");
    m_users.SetCurrentUser(1);
    LoginForm form(m_users, m_setup);
    EXPECT_EQ(form.GetUserNames(), (std::vector<std::string>{"Ann", "Bob"}));
    EXPECT_EQ(form.GetSelection(), std::optional<std::size_t>(1));
    form.Select(0);
    form.SetPassword("a");
    EXPECT_EQ(form.Submit(), LoginForm::Outcome::LoggedIn);
    EXPECT_EQ(m_users.GetCurrentIndex(), std::optional<std::size_t>(0));
    EXPECT_FALSE(form.WasPasswordChanged());
}

TEST_F(LoginFormTest, ThreeWrongPasswordsFailAfterTwoMessages)
{
    AddUser("Ann", "a");
    AddUser("Bob", "b");
    LoginForm form(m_users, m_setup);
    // No built-in password opens any account.
    for (const char* guess : {"b", "Marble pancake"}) {
        form.SetPassword(guess);
        EXPECT_EQ(form.Submit(), LoginForm::Outcome::TryAgain);
    }
    form.SetPassword("A");
    EXPECT_EQ(form.Submit(), LoginForm::Outcome::Failed);
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61310, 61310}));
    EXPECT_EQ(m_users.GetCurrentUser(), nullptr);
}

TEST_F(LoginFormTest, ThePasswordChangesOnlyForTheUserWhoKnowsIt)
{
    AddUser("Ann", "a");
    AddUser("Bob", "b");
    LoginForm form(m_users, m_setup);
    form.Select(1);
    form.SetPassword("a");
    EXPECT_FALSE(form.CanChangePassword());
    std::string entry = "new", confirmation = "new";
    EXPECT_FALSE(form.ChangePassword(entry, confirmation));
    EXPECT_EQ(m_users.GetAt(1).m_password, "b");

    form.SetPassword("b");
    EXPECT_TRUE(form.CanChangePassword());
    confirmation = "other";
    EXPECT_FALSE(form.ChangePassword(entry, confirmation));
    EXPECT_EQ(entry, "");
    EXPECT_EQ(confirmation, "");
    EXPECT_EQ(m_users.GetAt(1).m_password, "b");

    entry = confirmation = "fresh";
    EXPECT_TRUE(form.ChangePassword(entry, confirmation));
    EXPECT_EQ(m_users.GetAt(1).m_password, "fresh");
    EXPECT_EQ(form.GetPassword(), "fresh");
    EXPECT_TRUE(form.WasPasswordChanged());
    EXPECT_EQ(m_users.GetCurrentIndex(), std::optional<std::size_t>(1));
    EXPECT_EQ(m_prompt.m_ids, (std::vector<MessageId>{61309, 61309, 61312}));
}

TEST_F(LoginFormTest, ChangePasswordIsHiddenForAustralianAndNewZealandNutrition)
{
    AddUser("Ann", "a");
    for (const auto& [market, nutrition, visible] :
         {std::tuple{MarketAustralia, 1, false}, std::tuple{MarketNewZealand, 1, false},
          std::tuple{MarketAustralia, 0, true}, std::tuple{MarketUsa, 1, true}}) {
        m_setup.m_market = market;
        m_setup.m_nutritionInUse = static_cast<std::uint8_t>(nutrition);
        EXPECT_EQ(LoginForm(m_users, m_setup).IsChangePasswordVisible(), visible) << market;
    }
}

}  // namespace
}  // namespace varnel::test
