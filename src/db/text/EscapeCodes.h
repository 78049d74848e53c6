// The 3-byte codes of escape-coded text: ESC, a letter, an operand. ESC 'C' f opens a line in font
// code f, ESC 'D' d toggles text effect d; the other letters only the quoted form of some families
// carries.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

constexpr char kEsc = '\x1B';
constexpr char kCr = '\r';

struct EscCode {
    char letter = '\0';
    char operand = '\0';
    std::size_t length = 0;  // 3, or fewer when the text ends inside the code
    bool Complete() const { return length == 3; }
};

// The code that starts at `position` (an ESC) of `text`.
inline EscCode ReadEscCode(std::string_view text, std::size_t position)
{
    EscCode code;
    code.length = std::min<std::size_t>(3, text.size() - position);
    if (code.length > 1) code.letter = text[position + 1];
    if (code.length > 2) code.operand = text[position + 2];
    return code;
}

inline std::string MakeEscCode(char letter, char operand) { return {kEsc, letter, operand}; }

// The position of the next ESC 'C' at or after `position`; the text's end when there is none.
inline std::size_t FindLineStart(std::string_view text, std::size_t position)
{
    const std::size_t found = text.find(std::string_view("\x1B" "C"), position);
    return found == std::string_view::npos ? text.size() : found;
}

}  // namespace varnel
