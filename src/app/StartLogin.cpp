// The login at start-up.
#include "app/StartLogin.h"

#include "settings/LoginForm.h"
#include "settings/UserSetupList.h"

namespace varnel {

LoginOutcome LogInAtStart(CUserSetupList& users, const CGeneralSetup& setup, const CommandLineSwitches& switches,
                          ILoginDialog& dialog)
{
    if (users.GetCount() == 0) return {true, false};
    if (!switches.user.empty() && !switches.password.empty() && users.LogInAs(switches.user, switches.password)) {
        return {true, false};
    }
    LoginForm form(users, setup);
    if (form.NeedsDialog() && !dialog.Run(form)) return {false, false};
    return {form.IsLoggedIn(), form.WasPasswordChanged()};
}

}  // namespace varnel
