// Characters of Taiwan's extended range, which the scales cannot print: lines holding one are left
// out when the general setup asks for it (TextRules::dropTaiwanExtendedLines).
#pragma once

#include <cstddef>
#include <string_view>

namespace varnel {

// Whether the character at `position` has the lead byte C7, or C6 with a second byte of E7 or above.
inline bool IsTaiwanExtendedChar(std::string_view text, std::size_t position)
{
    const auto lead = static_cast<unsigned char>(text[position]);
    if (lead == 0xC7) return true;
    return lead == 0xC6 && position + 1 < text.size() && static_cast<unsigned char>(text[position + 1]) >= 0xE7;
}

}  // namespace varnel
