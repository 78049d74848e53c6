// The new-password dialog.
#include "app/ui/NewPasswordDlg.h"

#include "platform/ui/CodePageText.h"
#include "settings/LoginForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CNewPasswordDlg::CNewPasswordDlg(LoginForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_newPassword(new QLineEdit(this)),
      m_confirmation(new QLineEdit(this))
{
    setObjectName("newPasswordDialog");
    setWindowTitle("Enter New Password");
    for (QLineEdit* edit : {m_newPassword, m_confirmation}) {
        edit->setEchoMode(QLineEdit::Password);
        edit->setMaxLength(12);
    }
    m_newPassword->setObjectName("newPassword");
    m_confirmation->setObjectName("confirmPassword");
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("ok");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNewPasswordDlg::reject);

    auto* fields = new QFormLayout;
    fields->addRow("New password", m_newPassword);
    fields->addRow("Enter again to confirm", m_confirmation);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addWidget(buttons);
    setMinimumWidth(380);
}

void CNewPasswordDlg::accept()
{
    std::string entry = FromDisplayText(m_newPassword->text(), m_codePage);
    std::string confirmation = FromDisplayText(m_confirmation->text(), m_codePage);
    if (m_form.ChangePassword(entry, confirmation)) {
        QDialog::accept();
        return;
    }
    m_newPassword->setText(ToDisplayText(entry, m_codePage));
    m_confirmation->setText(ToDisplayText(confirmation, m_codePage));
    m_newPassword->setFocus();
}

}  // namespace varnel
