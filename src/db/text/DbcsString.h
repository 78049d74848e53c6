// Substrings and searches over double-byte text that always cut between whole characters. Text ends
// at its first 0 byte or at the end of the view.
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <string_view>

namespace varnel {

// The longest prefix of whole characters that takes at most `n` bytes.
std::string_view DbcsLeft(std::string_view text, std::size_t n, const CharRule& chars);

// The whole characters from byte `start` that take at most `count` bytes; a start inside a
// double-byte character moves back to that character. Empty when `start` lies past the text.
std::string_view DbcsMid(std::string_view text, std::size_t start, std::size_t count, const CharRule& chars);

// The byte index of the last one-byte character `ch`; npos when there is none.
std::size_t DbcsReverseFind(std::string_view text, char ch, const CharRule& chars);

// The position after up to `n` whole characters from `position`, stopping where the text ends.
std::size_t SkipChars(std::string_view text, std::size_t position, std::size_t n, const CharRule& chars);

}  // namespace varnel
