// "Enter New Password": the new password twice. Entries that differ are emptied (with the form's
// message) and the dialog stays; entries that agree change the user's password and log them in.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

class QLineEdit;

namespace varnel {

class LoginForm;

class CNewPasswordDlg final : public QDialog {
    Q_OBJECT
public:
    CNewPasswordDlg(LoginForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    LoginForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_newPassword;
    QLineEdit* m_confirmation;
};

}  // namespace varnel
