// The PLU search edits.
#include "pluedit/ui/PluSearchEdit.h"

#include "pluedit/ui/KeyCapture.h"

#include <QKeyEvent>

namespace varnel {

std::optional<std::uint32_t> ListMoveKey(const QKeyEvent& event)
{
    const std::optional<std::uint32_t> key = VirtualKeyOf(event.key());
    if (key == kVkPageUp || key == kVkPageDown || key == kVkUp || key == kVkDown) return key;
    return std::nullopt;
}

CPluSearchEdit::CPluSearchEdit(IKeyDownSink& sink, QWidget* parent) : QLineEdit(parent), m_sink(sink) {}

void CPluSearchEdit::keyPressEvent(QKeyEvent* event)
{
    const std::optional<std::uint32_t> key = ListMoveKey(*event);
    if (!key) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    // Each press of a held key comes as its own event: one row each.
    m_sink.OnSinkKeyDown(*key, 1, 0);
    event->accept();
}

}  // namespace varnel
