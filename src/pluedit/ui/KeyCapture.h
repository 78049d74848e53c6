// Hands a key press to a key input sink as the editors that draw themselves take keys: the editing
// and movement keys as virtual keys, Ctrl with a letter as its control character, and typed text as
// bytes of the store's code page, one at a time (so a lead byte waits for its trail byte).
#pragma once

#include "platform/CodePage.h"
#include "pluedit/KeyInputSink.h"

#include <QString>

#include <cstdint>
#include <optional>

class QKeyEvent;

namespace varnel {

// The virtual key of a Qt key that sinks take as a key down; none for others.
std::optional<std::uint32_t> VirtualKeyOf(int key);

// False when the key means nothing to the sink (a lone modifier, a function key).
bool DeliverKey(CKeyInputSink& sink, const QKeyEvent& event, CodePage codePage);

// Text from an input method or a key, byte by byte.
void DeliverText(CKeyInputSink& sink, const QString& text, CodePage codePage);

}  // namespace varnel
