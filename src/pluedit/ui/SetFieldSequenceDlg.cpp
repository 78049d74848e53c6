// "Set Field Sequence" on screen.
#include "pluedit/ui/SetFieldSequenceDlg.h"

#include "platform/ui/CodePageText.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace varnel {

CSetFieldSequenceDlg::CSetFieldSequenceDlg(SetFieldSequenceForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this))
{
    setObjectName("setFieldSequenceDialog");
    setWindowTitle("Set Field Sequence");
    m_list->setObjectName("1095");
    m_list->setMinimumSize(fontMetrics().averageCharWidth() * 36, fontMetrics().height() * 14);
    connect(m_list, &QListWidget::currentRowChanged, this, [this](int row) {
        m_form.Select(row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    });
    auto* up = new QPushButton("&Up", this);
    up->setObjectName("1093");
    auto* down = new QPushButton("&Down", this);
    down->setObjectName("1094");
    for (QPushButton* button : {up, down}) button->setAutoDefault(false);
    connect(up, &QPushButton::clicked, this, [this] {
        m_form.OnUp();
        ShowFields();
    });
    connect(down, &QPushButton::clicked, this, [this] {
        m_form.OnDown();
        ShowFields();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("1");
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("2");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* side = new QVBoxLayout;
    side->addWidget(buttons);
    side->addStretch(1);
    side->addWidget(up);
    side->addWidget(down);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(m_list, 1);
    layout->addLayout(side);
    ShowFields();
}

void CSetFieldSequenceDlg::ShowFields()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const std::string& name : m_form.GetNames()) m_list->addItem(ToDisplayText(name, m_codePage));
    if (const std::optional<std::size_t> selection = m_form.GetSelection())
        m_list->setCurrentRow(static_cast<int>(*selection));
}

}  // namespace varnel
