// The department dialogs.
#include "settings/ui/EditDeptDlgs.h"

#include "platform/ui/CodePageText.h"
#include "platform/ui/DialogParts.h"
#include "settings/ui/EntryFields.h"
#include "settings/ui/PickerDlgs.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace varnel {
CEditDeptSettingsDlg::CEditDeptSettingsDlg(EditDeptSettingsForm& form, CodePage codePage, QWidget* parent)
    : CSettingsListDlg(form, codePage, "Edit Department Settings", "editDeptSettingsDialog", parent)
{
    form.SetUi(*this);
    auto* current = new QLabel("*: Current department", this);
    current->setObjectName("currentNote");
    Panel().ListColumn()->addWidget(current);
}

bool CEditDeptSettingsDlg::RunDeptEntry(EditDeptForm& entry)
{
    return CEditDeptDlg(entry, GetCodePage(), this).exec() == QDialog::Accepted;
}

CEditDeptDlg::CEditDeptDlg(EditDeptForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_database(new QLabel(this)), m_scales(new QListWidget(this))
{
    setObjectName("editDeptDialog");
    setWindowTitle("Edit Department Settings");
    auto* fields = new QFormLayout;
    m_name = AddTextEdit(*fields, "Name", "name", ToDisplayText(form.m_name, codePage), EditDeptForm::kNameLimit);

    auto* databaseGroup = new QGroupBox("Database File", this);
    m_database->setObjectName("database");
    m_database->setText(ToDisplayText(form.GetDatabase(), codePage));
    m_database->setMinimumWidth(m_database->fontMetrics().averageCharWidth() * 40);
    QPushButton* change = MakeButton(*databaseGroup, "Change...", "change");
    auto* databaseRow = new QHBoxLayout(databaseGroup);
    databaseRow->addWidget(m_database, 1);
    databaseRow->addWidget(change);
    connect(change, &QPushButton::clicked, this, [this] {
        if (m_form.ChangeDatabase()) m_database->setText(ToDisplayText(m_form.GetDatabase(), m_codePage));
    });

    auto* scalesGroup = new QGroupBox("Scales", this);
    m_scales->setObjectName("scales");
    QPushButton* add = MakeButton(*scalesGroup, "&Add", "addScale");
    QPushButton* remove = MakeButton(*scalesGroup, "&Delete", "deleteScale");
    auto* scaleButtons = new QVBoxLayout;
    scaleButtons->addWidget(add);
    scaleButtons->addWidget(remove);
    scaleButtons->addStretch(1);
    auto* scalesRow = new QHBoxLayout(scalesGroup);
    scalesRow->addWidget(m_scales, 1);
    scalesRow->addLayout(scaleButtons);
    connect(m_scales, &QListWidget::currentRowChanged, this, [this](int row) {
        m_form.SelectScale(row < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(row)));
    });
    connect(add, &QPushButton::clicked, this, [this] {
        PickerForm picker = m_form.MakeScalePicker();
        if (CSelectScaleDlg(picker, {}, {}, this).exec() != QDialog::Accepted) return;
        if (const auto chosen = picker.GetChosenIndex()) m_form.AssignScale(*chosen);
        ShowScales();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        m_form.UnassignScale();
        ShowScales();
    });

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(databaseGroup);
    layout->addWidget(scalesGroup, 1);
    layout->addWidget(MakeOkCancel(*this));
    ShowScales();
}

void CEditDeptDlg::ShowScales()
{
    const QSignalBlocker quiet(m_scales);
    m_scales->clear();
    for (const std::string& row : m_form.GetScaleRows()) m_scales->addItem(ToDisplayText(row, m_codePage));
    if (const auto selection = m_form.GetScaleSelection()) m_scales->setCurrentRow(static_cast<int>(*selection));
}

void CEditDeptDlg::accept()
{
    m_form.m_name = FromDisplayText(m_name->text(), m_codePage);
    if (m_form.Accept()) QDialog::accept();
}

}  // namespace varnel
