// The price zone dialogs.
#include "settings/ui/EditPriceZoneDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/ui/EntryFields.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

CEditPriceZonesDlg::CEditPriceZonesDlg(EditPriceZonesForm& form, CodePage codePage, QWidget* parent)
    : CSettingsListDlg(form, codePage, "Edit Price Zones", "editPriceZonesDialog", parent)
{
    form.SetUi(*this);
}

bool CEditPriceZonesDlg::RunPriceZoneEntry(EditPriceZoneForm& entry)
{
    return CEditPriceZoneDlg(entry, GetCodePage(), this).exec() == QDialog::Accepted;
}

CEditPriceZoneDlg::CEditPriceZoneDlg(EditPriceZoneForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("editPriceZoneDialog");
    setWindowTitle("Edit Price Zone");
    auto* fields = new QFormLayout;
    m_id = AddDigitsEdit(*fields, "Price Zone ID", "zoneId", QString::fromStdString(form.m_id), 4);
    m_name = AddTextEdit(*fields, "Name", "name", ToDisplayText(form.m_name, codePage), EditPriceZoneForm::kNameLimit);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
}

void CEditPriceZoneDlg::accept()
{
    m_form.m_id = m_id->text().toStdString();
    m_form.m_name = FromDisplayText(m_name->text(), m_codePage);
    if (!m_form.Accept()) {
        m_id->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace varnel
