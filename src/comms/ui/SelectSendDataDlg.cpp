#include "comms/ui/SelectSendDataDlg.h"

#include "comms/center/SelectSendDataForm.h"
#include "platform/ui/DialogParts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

namespace varnel {

CSelectSendDataDlg::CSelectSendDataDlg(SelectSendDataForm& form, QWidget* parent) : QDialog(parent), m_form(form)
{
    setObjectName("selectSendDataDialog");
    setWindowTitle("Select Send Data");
    static constexpr const char* kNames[] = {"plus",       "storeNameAddress", "keyboardPresets", "extraMessages1",
                                             "couponMessages", "nutrition",    "extraMessages2",  "extraMessages3"};
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < m_boxes.size(); ++i) {
        const auto box = static_cast<SelectSendDataForm::Box>(i);
        m_boxes[i] = MakeCheckBox(*this, SelectSendDataForm::BoxText(box), kNames[i], form.IsChecked(box));
        m_boxes[i]->setEnabled(form.IsEnabled(box));
        m_boxes[i]->setVisible(form.IsShown(box));
        grid->addWidget(m_boxes[i], static_cast<int>(i % 3), static_cast<int>(i / 3));
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
}

void CSelectSendDataDlg::accept()
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i)
        m_form.SetChecked(static_cast<SelectSendDataForm::Box>(i), m_boxes[i]->isChecked());
    QDialog::accept();
}

}  // namespace varnel
