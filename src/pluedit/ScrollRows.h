// Windows that show a few rows of a longer list at a time (the zone rows of the per-zone price
// dialog, the price-zone values popup) move their first visible row by the scroll bar's actions.
#pragma once

namespace varnel {

enum class ScrollAction { LineUp, LineDown, PageUp, PageDown, Thumb, Top, Bottom };

// The first visible row after the action, from `position` within 0 .. `last`: a line moves one row,
// a page `page` rows (page up to 0 when the position is `page` or less, page down to `last` once the
// position is no longer below `last` - `page`), the thumb to `thumb`.
int ScrollPosition(int position, ScrollAction action, int last, int page, int thumb = 0);

}  // namespace varnel
