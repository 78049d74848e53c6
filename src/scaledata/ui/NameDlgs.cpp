// "Edit Category" and "Edit Free Message Names".
#include "scaledata/ui/NameDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "scaledata/EditCategoryForm.h"
#include "scaledata/EditFreeMsgNamesForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

CEditCategoryDlg::CEditCategoryDlg(EditCategoryForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage),
      m_number(new QLineEdit(QString::fromStdString(form.GetNumberText()), this)),
      m_name(new QLineEdit(ToDisplayText(form.GetName(), codePage), this))
{
    setObjectName("editCategoryDialog");
    setWindowTitle(ToDisplayText(form.GetTitle(), codePage));
    m_number->setObjectName("1151");
    m_number->setMaxLength(static_cast<int>(EditCategoryForm::kNumberChars));
    m_name->setObjectName("1004");
    m_name->setMaxLength(static_cast<int>(form.GetMaxLength()));
    m_name->setMinimumWidth(m_name->fontMetrics().averageCharWidth() * 30);
    auto* fields = new QFormLayout;
    fields->addRow("Dept/Group No.", m_number);
    fields->addRow("Name", m_name);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditCategoryDlg::accept()
{
    m_form.SetNumberText(m_number->text().toStdString());
    m_form.SetName(FromDisplayText(m_name->text(), m_codePage));
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    m_number->setFocus(Qt::OtherFocusReason);
    m_number->selectAll();
}

CEditFreeMsgNamesDlg::CEditFreeMsgNamesDlg(CEditFreeMsgNamesForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("editFreeMsgNamesDialog");
    setWindowTitle("Edit Free Message Names");
    auto* fields = new QFormLayout;
    for (std::size_t set = 1; set <= CEditFreeMsgNamesForm::kSets; ++set) {
        auto* edit = new QLineEdit(ToDisplayText(form.GetName(set), codePage), this);
        edit->setObjectName(QString::number(1149 + set));
        edit->setMaxLength(static_cast<int>(form.GetMaxLength()));
        edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * 20);
        fields->addRow(QString("Free Messages #%1").arg(set), edit);
        m_names[set - 1] = edit;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditFreeMsgNamesDlg::accept()
{
    for (std::size_t set = 1; set <= CEditFreeMsgNamesForm::kSets; ++set)
        m_form.SetName(set, FromDisplayText(m_names[set - 1]->text(), m_codePage));
    if (m_form.OnOK()) QDialog::accept();
}

}  // namespace varnel
