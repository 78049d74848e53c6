// What the host's shared controls show after every caret move and edit of a label text editor: the
// font combo (1049), the five style check buttons (1050 Bold, 1051 Rev., 1052 Italic, 1053 U.line,
// 1152 Boxed), "Format..." (1124), the label width combo (1054) and the mode static (1056).
#pragma once

#include "pluedit/LabelTextRun.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>

namespace varnel {

struct LabelTextControls {
    std::optional<std::size_t> fontRow;  // the allowed font of the format at the caret
    std::array<bool, kLabelEffects> checked{};
    std::array<bool, kLabelEffects> enabled{};
    bool boxedShown = false;
    bool formatShown = false;
    bool formatEnabled = false;  // while a selection exists
    std::string labelWidth;      // "%d"
    std::string mode;            // "INS" or "OVR" while the editor has the focus, else empty

    bool operator==(const LabelTextControls&) const = default;
};

// What the editor asks of the window that holds it.
class ILabelTextHost {
public:
    virtual ~ILabelTextHost() = default;
    // The line heights were counted again (the host checks the printed length).
    virtual void OnLinesRecounted() {}
    virtual void OnEditorFocused() {}
    // Tab: the focus goes on to the host's next control, or the previous one.
    virtual void MoveFocus(bool backwards) { (void)backwards; }
    // Escape: only the extra message dialog cancels on it.
    virtual void OnEscape() {}
};

}  // namespace varnel
