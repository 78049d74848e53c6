#include "comms/ui/ScaleSetupDlg.h"

#include "comms/idenq/ScaleSetupForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CScaleSetupDlg::CScaleSetupDlg(ScaleSetupForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage)
{
    setObjectName("scaleSetupDialog");
    setWindowTitle("Scale Setup");
    const LinkScaleFields& fields = form.Fields();
    m_enabled = MakeCheckBox(*this, "&Enable Scale", "enableScale", fields.enabled);
    m_name = MakeLineEdit(*this, "scaleName", ToDisplayText(fields.name, codePage), 30);
    m_name->setMaxLength(static_cast<int>(ScaleSetupForm::kMaxNameLength));
    m_machineNo = MakeLineEdit(*this, "machineId", QString::number(fields.machineNo), 4);
    auto* number = new QLabel(QString::number(fields.scaleNo), this);
    number->setObjectName("scaleNo");
    auto* grid = new QGridLayout;
    grid->addWidget(m_enabled, 0, 0, 1, 2);
    grid->addWidget(new QLabel("Scale Name", this), 1, 0);
    grid->addWidget(m_name, 1, 1);
    grid->addWidget(new QLabel("Scale No.", this), 2, 0);
    grid->addWidget(number, 2, 1);
    grid->addWidget(new QLabel("ID-ENQ Machine ID", this), 3, 0);
    grid->addWidget(m_machineNo, 3, 1);
    m_scale.Build(*this, *grid, 4, ScaleTypeChoices(), ScaleTypeIndex(fields.family), form.GetPriceZones(), fields,
                  codePage);
    grid->addWidget(new CFilterListPanel(form.Filters(), codePage, this), 10, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
}

void CScaleSetupDlg::accept()
{
    if (!m_form.SetMachineNo(m_machineNo->text().toStdString())) return;
    LinkScaleFields& fields = m_form.Fields();
    fields.enabled = m_enabled->isChecked();
    m_form.SetName(FromDisplayText(m_name->text(), m_codePage));
    fields.family = FamilyOfScaleTypeIndex(static_cast<std::size_t>(std::max(0, m_scale.type->currentIndex())));
    m_scale.Store(m_form.GetPriceZones(), fields);
    QDialog::accept();
}

}  // namespace varnel
