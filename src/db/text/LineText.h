// Line-coded text, the text form of families 6 and 8 and of the item records of Data Save files and
// the file link: each line begins with CR (13) and a scale font number byte; the attribute bytes 2, 6,
// 7 and 19 inside a line toggle text effects 1 to 4; any other byte below 32 ends the text.
// Escape-coded text is the database's form (EscapeCodes.h).
#pragma once

#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnel {

// The escape-coded form of `in` (all of its bytes, up to a byte that ends line-coded text), with
// effects still open closed at the end, then a 0 byte. A character or code is written only when
// the codes that close the effects then open, and the 0 byte, fit in `out` after it. True when all
// of `in` was converted.
bool LineTextToEscapeText(const TextRules& rules, std::span<char> out, std::string_view in);

// The line-coded form of escape-coded text `in` (up to its 0 byte), effects 1 and 3 written only
// when kept. The text takes at most out.size() - 2 bytes and stops at a whole character or code;
// a 0 byte follows, and an odd length is made even by one more 0 byte, counted in the length
// returned.
std::size_t EscapeTextToLineTextEx(const TextRules& rules, bool keepEffect1, bool keepEffect3, std::span<char> out,
                                   std::string_view in);
// Every effect kept.
std::size_t EscapeTextToLineText(const TextRules& rules, std::span<char> out, std::string_view in);
// Effects 1 and 3 left out for family 6 in Thailand and in the Hong Kong, Taiwan and China markets.
std::size_t EscapeTextToLineTextForType(const TextRules& rules, std::uint16_t family, std::span<char> out,
                                        std::string_view in);

}  // namespace varnel
