// Screen colours of the label colours.
#include "pluedit/LabelTextRun.h"

namespace varnel {

std::uint32_t ScreenRgb(LabelColour colour)
{
    switch (colour) {
    case LabelColour::Black: return 0x010101;
    case LabelColour::Red: return 0xFF0000;
    case LabelColour::White: return 0xFFFFFF;
    }
    return 0x000000;
}

}  // namespace varnel
