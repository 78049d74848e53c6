// The store settings dialogs.
#include "scaledata/ui/StoreSettingsDlgs.h"

#include "platform/ui/DialogParts.h"
#include "pluedit/ui/LabelTextEdit.h"
#include "pluedit/ui/LabelTextStrip.h"
#include "scaledata/StoreListForm.h"
#include "pluedit/ui/SunkenFrame.h"

#include <QDialogButtonBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace varnel {
namespace {

QLabel* MakeLabel(QWidget& parent, std::string_view text)
{
    return new QLabel(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), &parent);
}

// A label text editor with its strip of controls in a group of its own.
CLabelTextEdit* AddEditor(QWidget& parent, QVBoxLayout& layout, const char* id, const char* title,
                          LabelTextEditForm& form, CodePage codePage)
{
    auto* group = new QGroupBox(title, &parent);
    group->setObjectName(id);
    auto* editor = new CLabelTextEdit(form, codePage, group);
    auto* strip = new CLabelTextStrip(*editor, group);
    editor->setMinimumSize(480, 90);
    auto* inside = new QVBoxLayout(group);
    inside->addWidget(strip);
    inside->addWidget(new SunkenFrame(*editor, group), 1);
    layout.addWidget(group, 1);
    return editor;
}

}  // namespace

CStoreListDlg::CStoreListDlg(StoreListForm& form, CodePage codePage, QWidget* parent)
    : CSelectionListDlg(form, codePage, parent), m_measure(codePage)
{
    setObjectName("storeListDialog");
    form.SetTextMeasure(&m_measure);
    form.SetEditDialog([this, codePage](StoreSettingsForm& dialog) {
        return CStoreSettingsDlg(dialog, codePage, this).exec() == QDialog::Accepted;
    });
}

CStoreSettingsDlg::CStoreSettingsDlg(StoreSettingsForm& form, CodePage codePage, QWidget* parent)
    : QDialog(parent), m_form(form), m_number(new QLineEdit(QString::fromStdString(form.GetNumberText()), this))
{
    setObjectName("storeSettingsDialog");
    setWindowTitle(QString::fromStdString(form.GetTitle()));
    m_number->setObjectName(QString::number(StoreSettingsForm::kStoreIdId));
    m_number->setMaxLength(4);
    m_number->setFixedWidth(m_number->fontMetrics().horizontalAdvance('0') * 6 + 12);

    auto* layout = new QVBoxLayout(this);
    auto* head = new QHBoxLayout;
    head->addWidget(new QLabel("Store ID", this));
    head->addWidget(m_number);
    head->addStretch(1);
    layout->addLayout(head);
    m_name = AddEditor(*this, *layout, "nameEditor", "Store Name", form.NameEditor(), codePage);
    m_address = AddEditor(*this, *layout, "addressEditor", "Store Address", form.AddressEditor(), codePage);

    auto* grid = new QGridLayout;
    int row = 0;
    for (const StoreSettingChoice& choice : StoreSettingsForm::Choices()) {
        auto* combo = new QComboBox(this);
        combo->setObjectName(QString::number(choice.id));
        for (const std::string& entry : form.EntriesOf(choice)) combo->addItem(QString::fromStdString(entry));
        combo->setCurrentIndex(form.GetChoice(choice));
        combo->setEnabled(form.IsEnabled(choice.id));
        combo->setVisible(form.IsShown(choice.id));
        auto* label = MakeLabel(*this, choice.label);
        label->setVisible(form.IsShown(choice.id));
        grid->addWidget(label, row, 0);
        grid->addWidget(combo, row, 1);
        connect(combo, &QComboBox::activated, this, [this, &choice](int index) { m_form.SetChoice(choice, index); });
        m_choices.push_back(combo);
        ++row;
    }
    row = 0;
    for (const StoreSettingNumber& number : StoreSettingsForm::Numbers()) {
        auto* edit = new QLineEdit(QString::fromStdString(form.GetNumberText(number)), this);
        edit->setObjectName(QString::number(number.id));
        edit->setMaxLength(static_cast<int>(std::to_string(number.highest).size()));
        edit->setFixedWidth(edit->fontMetrics().horizontalAdvance('0') * 5 + 12);
        edit->setEnabled(form.IsEnabled(number.id));
        edit->setVisible(form.IsShown(number.id));
        auto* label = MakeLabel(*this, number.label);
        label->setVisible(form.IsShown(number.id));
        grid->addWidget(label, row, 2);
        grid->addWidget(edit, row, 3);
        m_numbers.push_back(edit);
        ++row;
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    layout->addWidget(MakeOkCancel(*this));
    QWidget::setTabOrder(m_number, m_name);
    QWidget::setTabOrder(m_name, m_address);
}

void CStoreSettingsDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_name->setFocus(Qt::OtherFocusReason);
}

void CStoreSettingsDlg::accept()
{
    m_form.SetNumberText(m_number->text().toStdString());
    const auto numbers = StoreSettingsForm::Numbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) m_form.SetNumberText(numbers[i], m_numbers[i]->text().toStdString());
    if (m_form.OnOK()) {
        QDialog::accept();
        return;
    }
    switch (m_form.GetRefusedFocus()) {
    case StoreSettingsForm::Focus::Number: m_number->setFocus(Qt::OtherFocusReason); break;
    case StoreSettingsForm::Focus::Name: m_name->setFocus(Qt::OtherFocusReason); break;
    case StoreSettingsForm::Focus::Address: m_address->setFocus(Qt::OtherFocusReason); break;
    case StoreSettingsForm::Focus::None: break;
    }
}

}  // namespace varnel
