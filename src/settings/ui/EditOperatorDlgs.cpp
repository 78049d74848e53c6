// The operator dialogs.
#include "settings/ui/EditOperatorDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/ui/EntryFields.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

CEditOperatorsDlg::CEditOperatorsDlg(EditOperatorsForm& form, CodePage codePage, QWidget* parent)
    : CSettingsListDlg(form, codePage, "Edit Operator Settings", "editOperatorsDialog", parent)
{
    form.SetUi(*this);
}

bool CEditOperatorsDlg::RunOperatorEntry(EditOperatorForm& entry)
{
    return CEditOperatorDlg(entry, GetCodePage(), this).exec() == QDialog::Accepted;
}

CEditOperatorDlg::CEditOperatorDlg(EditOperatorForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("editOperatorDialog");
    setWindowTitle("Edit Operator");
    const EditOperatorForm::Values& values = form.GetValues();
    auto* fields = new QFormLayout;
    m_id = AddDigitsEdit(*fields, "Operator ID", "operatorId", QString::fromStdString(values.id), 2);
    m_name = AddTextEdit(*fields, "Name", "name", ToDisplayText(values.name, codePage), form.GetNameLimit());
    m_font = AddCombo(*fields, "Font", "font", form.GetFontNames(), values.font, form.IsFontEnabled());
    const bool logon = form.AreScaleLogonFieldsEnabled();
    m_password = AddDigitsEdit(*fields, "Password", "password", ToDisplayText(values.password, codePage),
                               form.GetPasswordLimit(), logon);
    m_logoffTimer = AddDigitsEdit(*fields, "Logoff timer", "logoffTimer",
                                  QString::fromStdString(values.logoffTimer), 2, logon);
    m_accessLevel = AddCombo(*fields, "Access Level", "accessLevel", EditOperatorForm::AccessLevelNames(),
                             static_cast<std::size_t>(values.accessLevel), logon);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditOperatorDlg::accept()
{
    EditOperatorForm::Values& values = m_form.GetValues();
    values.id = m_id->text().toStdString();
    values.name = FromDisplayText(m_name->text(), m_codePage);
    values.font = ComboSelection(*m_font);
    values.password = FromDisplayText(m_password->text(), m_codePage);
    values.logoffTimer = m_logoffTimer->text().toStdString();
    values.accessLevel = m_accessLevel->currentIndex();
    if (!m_form.Accept()) {
        m_id->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace varnel
