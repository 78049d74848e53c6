// The settings entry dialogs' fields.
#include "settings/ui/EntryFields.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace varnel {
namespace {

template <class Field>
Field* AddField(QFormLayout& fields, const QString& label, Field* field, const char* objectName, bool enabled)
{
    field->setObjectName(objectName);
    field->setEnabled(enabled);
    fields.addRow(label, field);
    if (QWidget* caption = fields.labelForField(field)) caption->setEnabled(enabled);
    return field;
}

QLineEdit* MakeEdit(QFormLayout& fields, const QString& text, std::size_t maxLength)
{
    auto* edit = new QLineEdit(text, fields.parentWidget());
    edit->setMaxLength(static_cast<int>(maxLength));
    return edit;
}

}  // namespace

QLineEdit* AddDigitsEdit(QFormLayout& fields, const QString& label, const char* objectName, const QString& text,
                         std::size_t maxDigits, bool enabled)
{
    QLineEdit* edit = MakeEdit(fields, text, maxDigits);
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), edit));
    return AddField(fields, label, edit, objectName, enabled);
}

QLineEdit* AddTextEdit(QFormLayout& fields, const QString& label, const char* objectName, const QString& text,
                       std::size_t maxLength, bool enabled)
{
    return AddField(fields, label, MakeEdit(fields, text, maxLength), objectName, enabled);
}

QComboBox* AddCombo(QFormLayout& fields, const QString& label, const char* objectName,
                    const std::vector<std::string>& items, std::optional<std::size_t> selected, bool enabled)
{
    auto* combo = new QComboBox(fields.parentWidget());
    for (const std::string& item : items) combo->addItem(QString::fromStdString(item));
    combo->setCurrentIndex(selected && *selected < items.size() ? static_cast<int>(*selected) : -1);
    return AddField(fields, label, combo, objectName, enabled);
}

std::optional<std::size_t> ComboSelection(const QComboBox& combo)
{
    const int index = combo.currentIndex();
    return index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index));
}

}  // namespace varnel
