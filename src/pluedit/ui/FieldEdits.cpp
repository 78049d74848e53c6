// The field input controls.
#include "pluedit/ui/FieldEdits.h"

#include "db/plu/FieldChoices.h"
#include "platform/ui/CodePageText.h"
#include "pluedit/NumEditFilter.h"

#include <QSignalBlocker>

#include <QContextMenuEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

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

namespace {

// A right click the host takes is the host's; otherwise the control behaves as it would.
template <class Base>
bool TakeRightClick(QMouseEvent& event, IFieldEditHost& host, Base& control, const CLabProp& definition)
{
    if (event.button() != Qt::RightButton || !host.OnRightButton(control, definition)) return false;
    event.accept();
    return true;
}

}  // namespace

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

void CNumEdit::mousePressEvent(QMouseEvent* event)
{
    m_rightTaken = TakeRightClick(*event, m_host, *this, m_definition);
    if (!m_rightTaken) QLineEdit::mousePressEvent(event);
}

void CNumEdit::contextMenuEvent(QContextMenuEvent* event)
{
    if (std::exchange(m_rightTaken, false))
        event->accept();
    else
        QLineEdit::contextMenuEvent(event);
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

void CPluCombo::mousePressEvent(QMouseEvent* event)
{
    m_rightTaken = TakeRightClick(*event, m_host, *this, m_definition);
    if (!m_rightTaken) QComboBox::mousePressEvent(event);
}

void CPluCombo::contextMenuEvent(QContextMenuEvent* event)
{
    if (std::exchange(m_rightTaken, false))
        event->accept();
    else
        QComboBox::contextMenuEvent(event);
}

}  // namespace varnel
