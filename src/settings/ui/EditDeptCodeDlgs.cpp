// The department code dialogs.
#include "settings/ui/EditDeptCodeDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/ui/EntryFields.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {
namespace {

constexpr std::size_t kPluDigits = 6;

// The code and name fields of both entries.
std::pair<QLineEdit*, QLineEdit*> AddCodeFields(QFormLayout& fields, const CodeEntry& entry, CodePage codePage)
{
    return {AddDigitsEdit(fields, "Code", "code", QString::fromStdString(entry.m_code), entry.GetCodeDigits()),
            AddTextEdit(fields, "Name", "name", ToDisplayText(entry.m_name, codePage), CodeEntry::kNameLimit)};
}

}  // namespace

CEditDeptCodesDlg::CEditDeptCodesDlg(EditDeptCodesForm& form, CodePage codePage, QWidget* parent)
    : CSettingsListDlg(form, codePage, "Edit Department Codes", "editDeptCodesDialog", parent)
{
    form.SetUi(*this);
    QPushButton* generate = MakeButton(*this, "Auto-Generate List", "autoGenerate");
    generate->setEnabled(form.IsAutoGenerateEnabled());
    Panel().ButtonColumn()->insertWidget(3, generate);
    connect(generate, &QPushButton::clicked, this, [this, &form] {
        form.AutoGenerate();
        Panel().Refresh();
    });
}

bool CEditDeptCodesDlg::RunDeptCodeEntry(EditDeptCodeForm& entry)
{
    return CEditDeptCodeDlg(entry, GetCodePage(), this).exec() == QDialog::Accepted;
}

CEditDeptCodeDlg::CEditDeptCodeDlg(EditDeptCodeForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("editDeptCodeDialog");
    setWindowTitle("Edit Department Code");
    form.Groups().SetUi(*this);
    auto* fields = new QFormLayout;
    std::tie(m_code, m_name) = AddCodeFields(*fields, form, codePage);
    m_from = AddDigitsEdit(*fields, "From", "from", QString::fromStdString(form.m_from), kPluDigits);
    m_to = AddDigitsEdit(*fields, "To", "to", QString::fromStdString(form.m_to), kPluDigits);
    auto* groups = new QGroupBox("Group Codes", this);
    auto* panel = new CSettingsListPanel(form.Groups(), codePage, groups);
    panel->setObjectName("groups");
    (new QVBoxLayout(groups))->addWidget(panel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(groups, 1);
    layout->addWidget(MakeOkCancel(*this));
}

bool CEditDeptCodeDlg::RunGroupCodeEntry(EditGroupCodeForm& entry)
{
    return CEditGroupCodeDlg(entry, m_codePage, this).exec() == QDialog::Accepted;
}

void CEditDeptCodeDlg::accept()
{
    m_form.m_code = m_code->text().toStdString();
    m_form.m_name = FromDisplayText(m_name->text(), m_codePage);
    m_form.m_from = m_from->text().toStdString();
    m_form.m_to = m_to->text().toStdString();
    if (m_form.Accept()) QDialog::accept();
}

CEditGroupCodeDlg::CEditGroupCodeDlg(EditGroupCodeForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("editGroupCodeDialog");
    setWindowTitle("Edit Group Code");
    auto* fields = new QFormLayout;
    std::tie(m_code, m_name) = AddCodeFields(*fields, form, codePage);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditGroupCodeDlg::accept()
{
    m_form.m_code = m_code->text().toStdString();
    m_form.m_name = FromDisplayText(m_name->text(), m_codePage);
    if (m_form.Accept()) QDialog::accept();
}

}  // namespace varnel
