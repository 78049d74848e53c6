// The PLU field selection dialog.
#include "settings/ui/FieldSetupDlg.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/FieldSelectionForm.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QVBoxLayout>

namespace varnel {
namespace {

constexpr std::size_t kRowsPerColumn = 26;

}  // namespace

CFieldSetupDlg::CFieldSetupDlg(FieldSelectionForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form)
{
    setObjectName("fieldSetupDialog");
    setWindowTitle(QString::fromStdString(form.GetTitle()));
    auto* grid = new QGridLayout;
    for (std::size_t i = 0; i < form.GetCount(); ++i) {
        QCheckBox* box = MakeCheckBox(*this, ToDisplayText(form.GetLabel(i), codePage),
                                      QString("field%1").arg(1000 + i).toLatin1().constData(), form.IsOn(i));
        grid->addWidget(box, static_cast<int>(i % kRowsPerColumn), static_cast<int>(i / kRowsPerColumn));
        m_boxes.push_back(box);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
}

void CFieldSetupDlg::accept()
{
    for (std::size_t i = 0; i < m_boxes.size(); ++i) m_form.Set(i, m_boxes[i]->isChecked());
    QDialog::accept();
}

}  // namespace varnel
