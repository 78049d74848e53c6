// The labelled fields the settings entry dialogs are built from, each added to a form layout under its
// object name. A field that is off has its label off too.
#pragma once

#include "platform/ui/DialogParts.h"

#include <QString>

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

class QComboBox;
class QPushButton;
class QWidget;
class QFormLayout;
class QLineEdit;

namespace varnel {

// An edit that takes digits only, at most `maxDigits` of them.
QLineEdit* AddDigitsEdit(QFormLayout& fields, const QString& label, const char* objectName, const QString& text,
                         std::size_t maxDigits, bool enabled = true);
// An edit of at most `maxLength` characters.
QLineEdit* AddTextEdit(QFormLayout& fields, const QString& label, const char* objectName, const QString& text,
                       std::size_t maxLength, bool enabled = true);
// A drop-down list of the items (plain ASCII texts), `selected` selected.
QComboBox* AddCombo(QFormLayout& fields, const QString& label, const char* objectName,
                    const std::vector<std::string>& items, std::optional<std::size_t> selected, bool enabled = true);
// The combo's selected row; none for none.
std::optional<std::size_t> ComboSelection(const QComboBox& combo);

}  // namespace varnel
