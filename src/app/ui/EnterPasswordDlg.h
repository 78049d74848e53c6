// "Enter Password" over EnterPasswordForm.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

#include <string>

class QLineEdit;

namespace varnel {

class EnterPasswordForm;

class CEnterPasswordDlg final : public QDialog {
    Q_OBJECT
public:
    CEnterPasswordDlg(EnterPasswordForm& form, CodePage codePage, QWidget* parent = nullptr);

    void accept() override;

private:
    EnterPasswordForm& m_form;
    CodePage m_codePage;
    QLineEdit* m_password;
};

// Asks for the setup password `expected`: true when it was entered.
bool AskSetupPassword(const std::string& expected, CodePage codePage, QWidget* parent);

}  // namespace varnel
