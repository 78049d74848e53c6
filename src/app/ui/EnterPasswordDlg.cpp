// The setup password dialog.
#include "app/ui/EnterPasswordDlg.h"

#include "app/EnterPasswordForm.h"
#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

CEnterPasswordDlg::CEnterPasswordDlg(EnterPasswordForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_password(new QLineEdit(this))
{
    setObjectName("enterPasswordDialog");
    setWindowTitle("Enter Password");
    m_password->setObjectName("password");
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(8);
    auto* fields = new QFormLayout;
    fields->addRow("Password", m_password);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CEnterPasswordDlg::accept()
{
    switch (m_form.Submit(FromDisplayText(m_password->text(), m_codePage))) {
    case EnterPasswordForm::Outcome::Right: QDialog::accept(); break;
    case EnterPasswordForm::Outcome::TryAgain:
        m_password->clear();
        m_password->setFocus();
        break;
    case EnterPasswordForm::Outcome::Failed: reject(); break;
    }
}

bool AskSetupPassword(const std::string& expected, CodePage codePage, QWidget* parent)
{
    EnterPasswordForm form(expected);
    return CEnterPasswordDlg(form, codePage, parent).exec() == QDialog::Accepted;
}

}  // namespace varnel
