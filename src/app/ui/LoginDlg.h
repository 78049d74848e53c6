// "Enter User ID": the user list, the password and "Change Password...", over LoginForm. OK that
// fails shows the form's message and leaves the dialog up for the next try; the third failure ends it
// as cancelled.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace varnel {

class LoginForm;

class CLoginDlg final : public QDialog {
    Q_OBJECT
public:
    // `codePage`: the store's, in which the user names are kept.
    CLoginDlg(LoginForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    void TakeFields();
    void OnChangePassword();

    LoginForm& m_form;
    CodePage m_codePage;
    QComboBox* m_userId;
    QLineEdit* m_password;
};

}  // namespace varnel
