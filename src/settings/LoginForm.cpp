#include "settings/LoginForm.h"

#include "platform/UserPrompt.h"

namespace varnel {
namespace {
constexpr MessageId kEnterCurrentPassword = 61309;
constexpr MessageId kIncorrectPassword = 61310;  // "Incorrect password - Please try again."
constexpr MessageId kPasswordsDiffer = 61312;
}  // namespace

LoginForm::LoginForm(CUserSetupList& users, const CGeneralSetup& setup) : m_users(users), m_setup(setup)
{
    if (m_users.GetCount() == 0) return;
    m_selection = m_users.GetCurrentIndex().value_or(0);
    if (m_users.GetCount() == 1 && m_users.GetAt(0).m_password.empty()) LogIn();
}

std::vector<std::string> LoginForm::GetUserNames() const
{
    std::vector<std::string> names;
    for (std::size_t i = 0; i < m_users.GetCount(); ++i) names.push_back(m_users.GetAt(i).m_name);
    return names;
}

void LoginForm::Select(std::size_t index)
{
    if (index < m_users.GetCount()) m_selection = index;
}

bool LoginForm::IsChangePasswordVisible() const
{
    const bool ausNz = m_setup.m_market == MarketNewZealand || m_setup.m_market == MarketAustralia;
    return !(ausNz && m_setup.m_nutritionInUse != 0);
}

CUserSetup* LoginForm::SelectedUser() const { return m_selection ? &m_users.GetAt(*m_selection) : nullptr; }

void LoginForm::LogIn()
{
    m_users.SetCurrentUser(*m_selection);
    m_loggedIn = true;
}

LoginForm::Outcome LoginForm::Submit()
{
    const CUserSetup* user = SelectedUser();
    if (user != nullptr && m_password == user->m_password) {
        LogIn();
        return Outcome::LoggedIn;
    }
    if (++m_failedTries >= kMaxTries) return Outcome::Failed;
    ShowMessage(kIncorrectPassword);
    return Outcome::TryAgain;
}

bool LoginForm::CanChangePassword() const
{
    const CUserSetup* user = SelectedUser();
    if (user != nullptr && m_password == user->m_password) return true;
    ShowMessage(kEnterCurrentPassword);
    return false;
}

bool LoginForm::ChangePassword(std::string& entry, std::string& confirmation)
{
    if (!CanChangePassword()) return false;
    CUserSetup* user = SelectedUser();
    if (entry != confirmation) {
        ShowMessage(kPasswordsDiffer);
        entry.clear();
        confirmation.clear();
        return false;
    }
    user->m_password = entry;
    m_password = entry;
    m_passwordChanged = true;
    LogIn();
    return true;
}

}  // namespace varnel
