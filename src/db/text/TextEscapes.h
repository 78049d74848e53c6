// Escapes in text, walked by whole characters under the caller's rule: "\xHH" hex escapes, which keep
// control bytes in one-line texts of the setup and host files, and the 3-byte ESC codes of
// escape-coded descriptions.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace varnel {

// The byte as the escape "\xHH" (upper-case hex).
std::string_view HexEscape(std::uint8_t byte);

// Writes the byte at `position` of `buffer` (which then ends after it) and returns the position
// after it: bytes below 32, 127 and the backslash as "\xHH" (upper-case hex), every other byte as
// it is. Escaping the backslash keeps a text that holds "\x" itself, or a double-byte character
// whose second byte is a backslash, from being read back as an escape.
std::size_t AppendEscapedChar(std::string& buffer, std::size_t position, std::uint8_t byte);

// The byte at `position`, moving the position past it: a backslash starts a 4-byte escape whose last
// two characters are read as hex (0 when they are not hex), never moving past the text's end.
// 0 where the text ends, the position unchanged.
std::uint8_t ReadEscapedChar(std::string_view text, std::size_t& position);

// The text without its hex escapes: each backslash followed by 'x' or 'X' is dropped together
// with the two characters after it.
std::string RemoveHexEscapes(std::string_view text, const CharRule& chars);

// The text without its ESC codes: each ESC (27) is dropped together with the two bytes after it.
std::string StripEscCodes(std::string_view text, const CharRule& chars);

}  // namespace varnel
