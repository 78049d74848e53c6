// The login dialog.
#include "app/ui/LoginDlg.h"

#include "app/ui/NewPasswordDlg.h"
#include "platform/ui/CodePageText.h"
#include "settings/LoginForm.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

constexpr int kMaxPasswordLength = 12;

CLoginDlg::CLoginDlg(LoginForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_userId(new QComboBox(this)),
      m_password(new QLineEdit(this))
{
    setObjectName("loginDialog");
    setWindowTitle("Enter User ID");
    m_userId->setObjectName("userId");
    for (const std::string& name : form.GetUserNames()) m_userId->addItem(ToDisplayText(name, codePage));
    if (const auto selection = form.GetSelection()) m_userId->setCurrentIndex(static_cast<int>(*selection));
    m_password->setObjectName("password");
    m_password->setEchoMode(QLineEdit::Password);
    m_password->setMaxLength(kMaxPasswordLength);

    // OK, Cancel, then "Change Password...", top to bottom beside the fields.
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("cancel");
    auto* change = new QPushButton("Change Password...", this);
    change->setObjectName("changePassword");
    change->setAutoDefault(false);
    change->setVisible(form.IsChangePasswordVisible());
    connect(ok, &QPushButton::clicked, this, &CLoginDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CLoginDlg::reject);
    connect(change, &QPushButton::clicked, this, &CLoginDlg::OnChangePassword);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok, cancel, change}) buttons->addWidget(button);
    buttons->addStretch();

    auto* fields = new QFormLayout;
    fields->addRow("User ID", m_userId);
    fields->addRow("Password", m_password);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    layout->addLayout(buttons);
    setMinimumWidth(360);
    // The current user is already chosen: the password is what is left to type.
    if (form.GetSelection() && m_userId->count() > 0) m_password->setFocus();
}

void CLoginDlg::TakeFields()
{
    if (m_userId->currentIndex() >= 0) m_form.Select(static_cast<std::size_t>(m_userId->currentIndex()));
    m_form.SetPassword(FromDisplayText(m_password->text(), m_codePage));
}

void CLoginDlg::accept()
{
    TakeFields();
    switch (m_form.Submit()) {
    case LoginForm::Outcome::LoggedIn: QDialog::accept(); break;
    case LoginForm::Outcome::TryAgain:
        m_password->clear();
        m_password->setFocus();
        break;
    case LoginForm::Outcome::Failed: reject(); break;
    }
}

void CLoginDlg::OnChangePassword()
{
    TakeFields();
    if (!m_form.CanChangePassword()) return;
    CNewPasswordDlg dialog(m_form, m_codePage, this);
    if (dialog.exec() != QDialog::Accepted) return;
    m_password->setText(ToDisplayText(m_form.GetPassword(), m_codePage));
    QDialog::accept();
}

}  // namespace varnel
