#include "comms/ui/DataRangeFilterDlg.h"

#include "comms/idenq/DataRangeFilterForm.h"
#include "comms/ui/CommsViewParts.h"
#include "platform/ui/DialogParts.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CDataRangeFilterDlg::CDataRangeFilterDlg(DataRangeFilterForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form)
{
    setObjectName("dataRangeFilterDialog");
    setWindowTitle("Data Range Filter");
    std::vector<std::string> types;
    for (const auto& type : form.GetTypes()) types.push_back(type.caption);
    QComboBox* type = MakeCombo(*this, "dataType", types, codePage);
    type->setCurrentIndex(form.GetTypeIndex() ? static_cast<int>(*form.GetTypeIndex()) : -1);
    m_from = MakeLineEdit(*this, "from", QString::number(form.GetFrom()), 12);
    m_to = MakeLineEdit(*this, "to", QString::number(form.GetTo()), 12);
    auto* note = new QLabel(DataRangeFilterForm::kDeptGroupNote, this);
    note->setObjectName("deptGroupNote");
    m_note = note;
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel("Data Type", this), 0, 0);
    grid->addWidget(type, 0, 1);
    grid->addWidget(new QLabel("From", this), 1, 0);
    grid->addWidget(m_from, 1, 1);
    grid->addWidget(new QLabel("To", this), 2, 0);
    grid->addWidget(m_to, 2, 1);
    grid->addWidget(note, 3, 0, 1, 2);
    QDialogButtonBox* buttons = MakeOkCancel(*this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    connect(type, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) m_form.SelectType(static_cast<std::size_t>(index));
        Update();
    });
    Update();
}

void CDataRangeFilterDlg::Update()
{
    m_note->setVisible(m_form.ShowsDeptGroupNote());
    m_ok->setEnabled(m_form.CanApply());
}

void CDataRangeFilterDlg::accept()
{
    if (!m_form.CanApply() || !m_form.SetFrom(m_from->text().toStdString()) ||
        !m_form.SetTo(m_to->text().toStdString()))
        return;
    (void)m_form.Apply();
    QDialog::accept();
}

}  // namespace varnel
