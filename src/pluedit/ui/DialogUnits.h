// A window font's dialog base units, as a dialog measures them: the mean width of the 52 letters and
// the font's height. Forms that compute their geometry in dialog units scale it by these.
#pragma once

#include "pluedit/PluEditLayout.h"

#include <QFontMetrics>
#include <QWidget>

namespace varnel {

inline FormUnits DialogUnitsOf(const QWidget& widget)
{
    const QFontMetrics metrics = widget.fontMetrics();
    const int letters = metrics.horizontalAdvance("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return {(letters / 26 + 1) / 2, metrics.height()};
}

}  // namespace varnel
