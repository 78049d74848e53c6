// "Enter Password" over EnterPasswordForm.
#pragma once

#include "platform/CodePage.h"

#include <QDialog>

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

}  // namespace varnel
