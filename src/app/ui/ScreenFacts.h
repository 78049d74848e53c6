// The screen and style measures that the window rules of the core take, read from Qt.
#pragma once

#include "app/ChildFrames.h"

class QWidget;

namespace varnel {

// The full-screen size of the primary screen and the style's scroll bar, border and caption sizes.
ScreenMetrics CurrentScreenMetrics();
// Dialog units of `widget`'s font: its average character width and its height.
DialogUnits DialogUnitsOf(const QWidget& widget);

}  // namespace varnel
