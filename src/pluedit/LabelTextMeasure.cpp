// The measure used without a window.
#include "pluedit/LabelTextMeasure.h"

#include "pluedit/ThaiPrintWidths.h"

#include <cstdint>

namespace varnel {

int CellCountMeasure::TextWidth(const LabelScreenFont& font, std::string_view text) const
{
    int cells = 0;
    for (const char ch : text)
        if (!IsThaiCombiningMark(static_cast<std::uint8_t>(ch))) ++cells;
    return cells * font.width;
}

}  // namespace varnel
