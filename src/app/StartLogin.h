// Who works in this run: the login of the main frame's creation. With no users defined nobody logs
// in and everything is allowed; otherwise the command line's user and password (both given) log in
// silently, and when they are missing or wrong the login dialog asks.
#pragma once

#include "app/CommandLine.h"

namespace varnel {

struct CGeneralSetup;
class CUserSetupList;
class LoginForm;

// Shows the login dialog over the form; true when it ended with a user logged in.
class ILoginDialog {
public:
    virtual ~ILoginDialog() = default;
    virtual bool Run(LoginForm& form) = 0;
};

struct LoginOutcome {
    bool loggedIn = false;         // false: start-up ends
    bool passwordChanged = false;  // the dialog changed a password: the site setup is saved at once
};

LoginOutcome LogInAtStart(CUserSetupList& users, const CGeneralSetup& setup, const CommandLineSwitches& switches,
                          ILoginDialog& dialog);

}  // namespace varnel
