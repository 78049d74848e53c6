// Qt keys to the sink's virtual keys and bytes.
#include "pluedit/ui/KeyCapture.h"

#include "platform/ui/CodePageText.h"

#include <QKeyEvent>

#include <optional>

namespace varnel {
namespace {

constexpr std::uint8_t kFirstPrintable = 0x20;

}  // namespace

std::optional<std::uint32_t> VirtualKeyOf(int key)
{
    switch (key) {
    case Qt::Key_Backspace: return kVkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return kVkTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkReturn;
    case Qt::Key_Escape: return kVkEscape;
    case Qt::Key_PageUp: return kVkPageUp;
    case Qt::Key_PageDown: return kVkPageDown;
    case Qt::Key_End: return kVkEnd;
    case Qt::Key_Home: return kVkHome;
    case Qt::Key_Left: return kVkLeft;
    case Qt::Key_Up: return kVkUp;
    case Qt::Key_Right: return kVkRight;
    case Qt::Key_Down: return kVkDown;
    case Qt::Key_Insert: return kVkInsert;
    case Qt::Key_Delete: return kVkDelete;
    default: return std::nullopt;
    }
}

void DeliverText(CKeyInputSink& sink, const QString& text, CodePage codePage)
{
    for (const char byte : FromDisplayText(text, codePage)) {
        const auto ch = static_cast<std::uint8_t>(byte);
        if (ch < kFirstPrintable)
            sink.OnSinkCtrlChar(ch, 1, 0);
        else
            sink.OnSinkChar(ch, 1, 0);
    }
}

bool DeliverKey(CKeyInputSink& sink, const QKeyEvent& event, CodePage codePage)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    std::uint32_t flags = 0;
    if (modifiers & Qt::ShiftModifier || event.key() == Qt::Key_Backtab) flags |= kKeyShift;
    if (modifiers & Qt::ControlModifier) flags |= kKeyCtrl;
    if (const std::optional<std::uint32_t> key = VirtualKeyOf(event.key())) {
        sink.OnSinkKeyDown(*key, 1, flags);
        return true;
    }
    if ((flags & kKeyCtrl) != 0) {
        if (event.key() < Qt::Key_A || event.key() > Qt::Key_Z) return false;
        sink.OnSinkCtrlChar(static_cast<std::uint32_t>(event.key() - Qt::Key_A + 1), 1, flags);
        return true;
    }
    if (event.text().isEmpty()) return false;
    DeliverText(sink, event.text(), codePage);
    return true;
}

}  // namespace varnel
