// "Paste PLU" on screen.
#include "app/ui/PastePluDlg.h"

#include "platform/ui/DialogParts.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace varnel {
CPastePluDlg::CPastePluDlg(PastePluForm& form, QWidget* parent)
    : QDialog(parent), m_form(form), m_number(new QLineEdit(QString::fromStdString(form.GetNumberText()), this))
{
    setObjectName("pastePluDialog");
    setWindowTitle("Paste PLU");
    auto* clipboard = new QLabel(QString::fromStdString(form.GetClipboardText()), this);
    clipboard->setObjectName("1218");
    m_number->setObjectName("103");
    m_number->setMaxLength(10);
    QPushButton* selected = MakeButton(*this, "Overwrite selected PLU", "1215");
    selected->setEnabled(form.IsOverwriteSelectedEnabled());
    QPushButton* typed = MakeButton(*this, "Overwrite PLU No ->", "1216");
    typed->setDefault(true);
    QPushButton* unused = MakeButton(*this, "Assign an unused PLU No.", "1217");
    QPushButton* cancel = MakeButton(*this, "Cancel", "2");
    connect(selected, &QPushButton::clicked, this, [this] {
        if (m_form.OnOverwriteSelected()) accept();
    });
    connect(typed, &QPushButton::clicked, this, &CPastePluDlg::OverwriteTyped);
    connect(unused, &QPushButton::clicked, this, [this] {
        if (m_form.OnAssignUnused()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QGridLayout(this);
    layout->addWidget(clipboard, 0, 0, 1, 2);
    layout->addWidget(selected, 1, 0, 1, 2);
    layout->addWidget(typed, 2, 0);
    layout->addWidget(m_number, 2, 1);
    layout->addWidget(unused, 3, 0, 1, 2);
    layout->addWidget(cancel, 4, 1);
    setTabOrder(selected, typed);
    setTabOrder(typed, m_number);
    setTabOrder(m_number, unused);
    setTabOrder(unused, cancel);
    m_number->setFocus(Qt::OtherFocusReason);
    m_number->selectAll();
}

void CPastePluDlg::OverwriteTyped()
{
    if (m_form.OnOverwriteTyped(m_number->text().toStdString())) {
        accept();
        return;
    }
    m_number->setText(QString::fromStdString(m_form.GetNumberText()));
    m_number->setFocus(Qt::OtherFocusReason);
    m_number->selectAll();
}

}  // namespace varnel
