// Reading and measuring escape-coded descriptions. Each line opens with a 3-byte code ESC 'C' f whose
// third byte f is the line's font; ESC 'D' d ('1' to '5') toggles text effect d; every other byte
// below 32 ends a line; the text ends at its first 0 byte or at the end of the view. Characters are
// stepped over whole under the caller's character rule (DoubleByteText.h), so no line is ever cut
// inside one.
#pragma once

#include "db/site/TextRules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

struct DescLine {
    std::string text;  // the printable characters, without codes
    char font = 0;     // the font code of the line's opening code; 0 for no line
    // Effects 1 to 5 toggled by the ESC 'D' codes that directly follow the line's opening code.
    std::array<bool, 5> attributes{};
};

// Reads the line whose opening code stands at `position`: at most `maxLength` bytes of its text.
// Returns the position of the byte that ends the line (the next line's code), also when the line was
// cut by the maximum, or 0 where the text ends. An empty line, font 0 and 0 for a maximum of 0 or
// when the three bytes at the position are not all there and non-zero.
std::size_t GetDescLine(std::string_view desc, std::size_t position, std::size_t maxLength, DescLine& line,
                        const CharRule& chars);

// The number of ESC 'C' codes: the number of lines.
std::size_t CountDescLines(std::string_view desc);

// The text of line `n` (from 0) without its codes, at most `maxLength` bytes. `stop` receives where
// the walk ended.
std::string ExtractDescLineEx(std::string_view desc, std::size_t n, std::size_t maxLength, const CharRule& chars,
                              std::size_t& stop);
// The same, where the walk ended is not wanted.
std::string ExtractDescLine(std::string_view desc, std::size_t n, std::size_t maxLength, const CharRule& chars);

// The length as a scale counts it: each byte 1, each 3-byte code 3, or 2 when the general setup's
// default scale family is 6 or higher; a code cut by the text's end still counts whole.
std::size_t GetDescTextLength(std::string_view desc, std::uint16_t defaultScaleFamily);

// The first line's text as a PLU name: the characters after the opening code up to the next code
// other than an effect code or control byte, whole characters within `limit` bytes; "" when one of
// the opening code's bytes is missing.
std::string NameFromDesc(std::string_view desc, std::size_t limit, const CharRule& chars);

}  // namespace varnel
