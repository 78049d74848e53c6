// The one walk over escape-coded text that the conversions share: each code goes through the
// conversion's rule, each character is copied whole (a single-byte one through a character table
// when the conversion has one), and lines holding Taiwan extended characters can be left out.
#pragma once

#include "db/text/BoundedText.h"
#include "db/text/EscapeCodes.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace varnel {

struct EscapeTextRules {
    // The bytes written for a complete code; none leaves the code out. What is written for an ESC 'C'
    // code starts a line.
    std::function<std::optional<std::string>(const EscCode&)> code;
    // Single-byte characters found in `from` are written as their partners in `to`.
    std::string_view from;
    std::string_view to;
    // A line holding a Taiwan extended character is left out, from what started it to the next ESC 'C'.
    bool dropExtendedLines = false;
    // How whole characters are told.
    CharRule chars;
    // Room kept free after each piece.
    std::size_t reserve = 1;
};

// Writes `source` (without its 0 byte) into `text` by the rules. Stops at a code cut by the end of
// the text, at a lead byte at its end, and at the first piece that does not fit.
void WalkEscapeText(std::string_view source, BoundedText& text, const EscapeTextRules& rules);

}  // namespace varnel
