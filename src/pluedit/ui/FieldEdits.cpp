// The field input controls.
#include "pluedit/ui/FieldEdits.h"

#include "db/plu/FieldChoices.h"
#include "platform/ui/CodePageText.h"
#include "pluedit/NumEditFilter.h"

#include <QSignalBlocker>

#include <QFocusEvent>
#include <QKeyEvent>

namespace varnel {

void ShowChoices(QComboBox& combo, const FieldChoices& choices, CodePage codePage)
{
    const QSignalBlocker quiet(combo);
    combo.clear();
    for (const std::string& item : choices.items) combo.addItem(ToDisplayText(item, codePage));
    combo.setCurrentIndex(choices.selected ? static_cast<int>(*choices.selected) : -1);
}

std::optional<std::size_t> ChosenIndex(const QComboBox& combo)
{
    const int index = combo.currentIndex();
    return index < 0 ? std::nullopt : std::optional<std::size_t>(static_cast<std::size_t>(index));
}

bool IsFocusMovedWithinWindow(const QFocusEvent& event)
{
    return event.reason() != Qt::ActiveWindowFocusReason && event.reason() != Qt::PopupFocusReason;
}

CNumEdit::CNumEdit(const CLabProp& definition, IFieldEditHost& host, QWidget* parent)
    : QLineEdit(parent), m_definition(definition), m_host(host), m_separator(NumEditSeparator(definition))
{
}

void CNumEdit::keyPressEvent(QKeyEvent* event)
{
    const QString text = event->text();
    // Printable characters pass the filter; keys that type none (arrows, Delete, Tab) pass as they are.
    if (text.size() == 1 && text.at(0).unicode() >= 0x20) {
        const char16_t typed = text.at(0).unicode();
        if (typed > 0x7F || !NumEditAccepts(m_separator, static_cast<char>(typed))) {
            event->accept();
            return;
        }
    }
    QLineEdit::keyPressEvent(event);
}

void CNumEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (IsFocusMovedWithinWindow(*event)) m_host.UpdateFromEdit(*this);
}

CPluCombo::CPluCombo(const CLabProp& definition, IFieldEditHost& host, QWidget* parent)
    : QComboBox(parent), m_definition(definition), m_host(host)
{
}

void CPluCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (IsFocusMovedWithinWindow(*event)) m_host.UpdateFromCombo(*this);
}

}  // namespace varnel
