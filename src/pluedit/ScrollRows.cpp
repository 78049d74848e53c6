#include "pluedit/ScrollRows.h"

#include <algorithm>

namespace varnel {

int ScrollPosition(int position, ScrollAction action, int last, int page, int thumb)
{
    if (last <= 0) return 0;
    switch (action) {
    case ScrollAction::LineUp: return std::max(position - 1, 0);
    case ScrollAction::LineDown: return std::min(position + 1, last);
    case ScrollAction::PageUp: return position <= page ? 0 : position - page;
    case ScrollAction::PageDown: return position < last - page ? position + page : last;
    case ScrollAction::Thumb: return std::clamp(thumb, 0, last);
    case ScrollAction::Top: return 0;
    case ScrollAction::Bottom: return last;
    }
    return position;
}

}  // namespace varnel
