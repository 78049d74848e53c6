// The pickers.
#include "settings/ui/PickerDlgs.h"

#include "settings/PickerForm.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CPickerDlg::CPickerDlg(PickerForm& form, const QString& title, const char* objectName, WithoutChoice withoutChoice,
                       QWidget* parent)
    : QDialog(parent), m_form(form), m_list(new QListWidget(this)), m_buttons(new QVBoxLayout),
      m_withoutChoice(withoutChoice)
{
    setObjectName(objectName);
    setWindowTitle(title);
    m_list->setObjectName("list");
    for (const std::string& row : form.GetRows()) m_list->addItem(QString::fromStdString(row));
    if (const auto selection = form.GetSelection()) m_list->setCurrentRow(static_cast<int>(*selection));
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CPickerDlg::accept);
    auto* buttons = new QDialogButtonBox(Qt::Vertical, this);
    QPushButton* select = buttons->addButton("&Select", QDialogButtonBox::AcceptRole);
    select->setObjectName("select");
    select->setDefault(true);
    buttons->addButton(QDialogButtonBox::Cancel)->setObjectName("cancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &CPickerDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    m_buttons->addWidget(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(m_buttons);
}

void CPickerDlg::accept()
{
    const int row = m_list->currentRow();
    m_form.Select(row >= 0 && m_list->currentItem() != nullptr && m_list->currentItem()->isSelected()
                      ? std::optional<std::size_t>(static_cast<std::size_t>(row))
                      : std::nullopt);
    if (m_form.GetChosenIndex() || m_withoutChoice == WithoutChoice::Select) QDialog::accept();
    else if (m_withoutChoice == WithoutChoice::Cancel) reject();
}

CSelectScaleDlg::CSelectScaleDlg(PickerForm& form, const QString& title, AddScale addScale, QWidget* parent)
    : CPickerDlg(form, title.isEmpty() ? QString("Select Scale") : title, "selectScaleDialog", WithoutChoice::Cancel,
                 parent)
{
    if (!addScale) return;
    auto* newScale = new QPushButton("&New Scale", this);
    newScale->setObjectName("newScale");
    newScale->setAutoDefault(false);
    ButtonColumn()->addWidget(newScale);
    connect(newScale, &QPushButton::clicked, this, [this, addScale = std::move(addScale)] {
        const std::optional<std::size_t> added = addScale();
        if (!added) return;
        Form().ChooseAdded(*added);
        // The added scale is chosen already; the picker's own accept would choose by the list's selection.
        QDialog::accept();  // NOLINT(bugprone-parent-virtual-call)
    });
}

CSelectDeptDlg::CSelectDeptDlg(PickerForm& form, QWidget* parent)
    : CPickerDlg(form, "Select Department", "selectDeptDialog", WithoutChoice::Stay, parent)
{
}

CSelectUserProfileDlg::CSelectUserProfileDlg(PickerForm& form, QWidget* parent)
    : CPickerDlg(form, "Select User Profile", "selectUserProfileDialog", WithoutChoice::Cancel, parent)
{
}

CChangeDeptDlg::CChangeDeptDlg(PickerForm& form, QWidget* parent)
    : CPickerDlg(form, "Change Department", "changeDeptDialog", WithoutChoice::Select, parent)
{
}

}  // namespace varnel
