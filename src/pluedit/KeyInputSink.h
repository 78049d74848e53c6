// The keyboard input of an editor that draws itself: the window that holds the focus hands every key
// over through five operations, the key down of IKeyDownSink and these four. The label text editor
// takes its keys this way, so its keyboard rules are tested without a window.
#pragma once

#include "pluedit/KeyDownSink.h"

namespace varnel {

class CKeyInputSink : public IKeyDownSink {
public:
    virtual ~CKeyInputSink() = default;
    // A byte of typed text in the store's code page (32 and above).
    virtual void OnSinkChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t flags) = 0;
    // A control character below 32 (Ctrl+C is 3).
    virtual void OnSinkCtrlChar(std::uint32_t ch, std::uint32_t repeat, std::uint32_t flags) = 0;
    virtual void OnSinkSetFocus() = 0;
    virtual void OnSinkKillFocus() = 0;
};

}  // namespace varnel
