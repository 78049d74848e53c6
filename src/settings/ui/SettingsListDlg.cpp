// The settings list dialogs' shared view.
#include "settings/ui/SettingsListDlg.h"

#include "platform/ui/CodePageText.h"
#include "settings/ui/EntryFields.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace varnel {
CSettingsListPanel::CSettingsListPanel(SettingsListForm& form, CodePage codePage, QWidget* parent)
    : QWidget(parent), m_form(form), m_codePage(codePage), m_list(new QListWidget(this)),
      m_add(MakeButton(*this, "&Add", "add")), m_edit(MakeButton(*this, "&Edit", "edit")),
      m_delete(MakeButton(*this, "&Delete", "delete")), m_buttons(new QVBoxLayout), m_listColumn(new QVBoxLayout)
{
    m_list->setObjectName("list");
    m_list->setMinimumWidth(m_list->fontMetrics().averageCharWidth() * 36);
    m_listColumn->addWidget(m_list, 1);
    for (QPushButton* button : {m_add, m_edit, m_delete}) m_buttons->addWidget(button);
    m_buttons->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(m_listColumn, 1);
    layout->addLayout(m_buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CSettingsListPanel::TakeSelection);
    connect(m_add, &QPushButton::clicked, this, [this] {
        m_form.Add();
        Refresh();
    });
    connect(m_edit, &QPushButton::clicked, this, [this] {
        m_form.Edit();
        Refresh();
    });
    connect(m_delete, &QPushButton::clicked, this, [this] {
        m_form.Delete();
        Refresh();
    });
    connect(m_list, &QListWidget::itemDoubleClicked, this, [this] {
        const SettingsListForm::End end = m_form.DoubleClick();
        Refresh();
        if (end != SettingsListForm::End::Stay) emit Ended(end);
    });
    Refresh();
}

void CSettingsListPanel::TakeSelection()
{
    const int row = m_list->currentRow();
    const bool selected = row >= 0 && m_list->currentItem() != nullptr && m_list->currentItem()->isSelected();
    m_form.Select(selected ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt);
}

void CSettingsListPanel::Refresh()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const std::string& row : m_form.GetRows()) m_list->addItem(ToDisplayText(row, m_codePage));
    if (const auto selection = m_form.GetSelection()) m_list->setCurrentRow(static_cast<int>(*selection));
    m_add->setEnabled(m_form.IsAddEnabled());
    m_edit->setEnabled(m_form.IsEditEnabled());
    m_delete->setEnabled(m_form.IsDeleteEnabled());
}

CSettingsListDlg::CSettingsListDlg(SettingsListForm& form, CodePage codePage, const QString& title,
                                   const char* objectName, QWidget* parent)
    : QDialog(parent), m_form(form), m_codePage(codePage), m_panel(new CSettingsListPanel(form, codePage, this))
{
    setObjectName(objectName);
    setWindowTitle(title);
    auto* ok = new QPushButton(ToDisplayText(form.GetOkText(), codePage), this);
    ok->setObjectName("ok");
    ok->setDefault(true);
    m_panel->ButtonColumn()->addWidget(ok);
    connect(ok, &QPushButton::clicked, this, &CSettingsListDlg::accept);
    connect(m_panel, &CSettingsListPanel::Ended, this, &CSettingsListDlg::Finish);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_panel);
}

void CSettingsListDlg::Finish(SettingsListForm::End end)
{
    if (end == SettingsListForm::End::Ok) QDialog::accept();
    else if (end == SettingsListForm::End::Cancel) reject();
}

void CSettingsListDlg::accept()
{
    Finish(m_form.Ok());
}

}  // namespace varnel
