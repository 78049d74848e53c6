// Laying a text out in lines for a scale font: the text that the family-2 and family-3 records append
// to a description with the Australia/New Zealand nutrition layout.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <span>
#include <string_view>

namespace varnel {

// Writes ESC 'C' `lineCode`, then the text in lines of at most `lineWidth` columns, each further
// line opened by the same code. A single-byte character takes one column and a double-byte one two
// (the scales' fixed-pitch fonts); ESC codes take none and are copied as they are. A line is broken
// after its last ' ', ',' or ')' that fits, or, without one, before the character that does not
// fit; characters (told by `chars`) are never split. Writes at most `maxLength` bytes (and no more
// than `out` holds), stopping before the first piece that does not fit, and returns the length
// written; no 0 follows.
std::size_t WrapDescText(char lineCode, std::size_t lineWidth, std::size_t maxLength, std::span<char> out,
                         std::string_view text, const CharRule& chars);

}  // namespace varnel
