// Stepping through text one whole character at a time under a character rule (TextRules.h), so that
// no cut, copy or search ever splits a double-byte character.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace varnel {

// The byte length of the character at the start of `text`: 1 or 2. 0 where the text ends: an empty
// view, a 0 byte, or a lead byte with no second byte after it (which is never stepped over).
std::size_t GetCharLength(std::string_view text, const CharRule& rule);

// Appends the character at the start of `text` to `out` and returns its length (0 at the end).
std::size_t CopyOneChar(std::string& out, std::string_view text, const CharRule& rule);

// The position just past the character at `position`; `position` itself where the text ends.
std::size_t NextChar(std::string_view text, std::size_t position, const CharRule& rule);

}  // namespace varnel
