// The HBKU and scale number picker.
#include "app/ui/SelectLinkScaleIdDlg.h"

#include "app/SelectLinkScaleIdForm.h"
#include "platform/ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {

CSelectLinkScaleIdDlg::CSelectLinkScaleIdDlg(SelectLinkScaleIdForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_link(new QComboBox(this)), m_scaleId(new QLineEdit(this))
{
    setObjectName("selectLinkScaleIdDialog");
    setWindowTitle("Select HBKU and Scale ID");
    m_link->setObjectName("hbku");
    for (const std::string& name : form.GetLinkNames()) m_link->addItem(QString::fromStdString(name));
    if (const auto selection = form.GetSelection()) m_link->setCurrentIndex(static_cast<int>(*selection));
    m_scaleId->setObjectName("scaleId");
    m_scaleId->setMaxLength(6);
    auto* fields = new QFormLayout;
    fields->addRow("HBKU", m_link);
    fields->addRow("Scale ID", m_scaleId);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(MakeOkCancel(*this));
    setMinimumWidth(300);
}

void CSelectLinkScaleIdDlg::accept()
{
    const int link = m_link->currentIndex();
    m_form.SelectLink(link >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(link)) : std::nullopt);
    switch (m_form.Submit(m_scaleId->text().toStdString())) {
    case SelectLinkScaleIdForm::Outcome::Chosen: QDialog::accept(); break;
    case SelectLinkScaleIdForm::Outcome::StayOpen: m_scaleId->setFocus(); break;
    case SelectLinkScaleIdForm::Outcome::Cancelled: reject(); break;
    }
}

}  // namespace varnel
