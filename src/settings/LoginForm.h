// The interactive login ("Enter User ID", with "Enter New Password" behind its "Change Password..."
// button). Only the users' own passwords log in; there is no master password.
//
//   NeedsDialog() false  -> the single user without a password is logged in; nothing is shown
//   Submit()             -> LoggedIn, TryAgain (61310 shown; the dialog is shown again) or Failed
//                           (the third wrong password, without a message)
//   Cancel               -> the login fails; the dialog simply ends
//   ChangePassword(...)  -> 61309 when no user is chosen or the password typed is not theirs; 61312
//                           when the two new entries differ (both are emptied); otherwise the user's
//                           password changes and the login succeeds with it
#pragma once

#include "db/site/GeneralSetup.h"
#include "settings/UserSetupList.h"

#include <optional>
#include <string>
#include <vector>

namespace varnel {

class LoginForm {
public:
    enum class Outcome { LoggedIn, TryAgain, Failed };
    static constexpr int kMaxTries = 3;

    // With exactly one user, whose password is empty, that user is logged in at once.
    LoginForm(CUserSetupList& users, const CGeneralSetup& setup);

    bool NeedsDialog() const { return !m_loggedIn; }
    bool IsLoggedIn() const { return m_loggedIn; }

    // The "User ID" list, in list order, and the chosen position: the current user, or else the first.
    std::vector<std::string> GetUserNames() const;
    std::optional<std::size_t> GetSelection() const { return m_selection; }
    void Select(std::size_t index);
    const std::string& GetPassword() const { return m_password; }
    void SetPassword(std::string password) { m_password = std::move(password); }

    // "Change Password..." is hidden for New Zealand and Australia while standard nutrition is on.
    bool IsChangePasswordVisible() const;

    // OK: the chosen user logs in when the password typed is exactly theirs.
    Outcome Submit();

    // "Change Password...": true when the new password may be asked for (else 61309 was shown).
    bool CanChangePassword() const;
    // "Enter New Password" OK: true when the entries agree, the password was changed and the user is
    // logged in; false after 61312, with `entry` and `confirmation` emptied for the next try.
    bool ChangePassword(std::string& entry, std::string& confirmation);
    bool WasPasswordChanged() const { return m_passwordChanged; }

private:
    CUserSetup* SelectedUser() const;
    void LogIn();

    CUserSetupList& m_users;
    const CGeneralSetup& m_setup;
    std::optional<std::size_t> m_selection;
    std::string m_password;
    int m_failedTries = 0;
    bool m_loggedIn = false;
    bool m_passwordChanged = false;
};

}  // namespace varnel
