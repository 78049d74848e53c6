// The national 7-bit character sets of some markets' scales: pairs of equal-length strings in which
// the n-th database character (Windows-1252) stands for the n-th scale character (ASCII).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace varnel {

struct NationalCharTable {
    std::string_view database;
    std::string_view scale;
};

// Iceland, South America and Sweden: the tables of ConvertTextToScaleCharset and
// ConvertTextFromScaleCharset; null for every other market.
const NationalCharTable* ScaleCharsetTableOf(std::uint16_t market);
// Norway: the table of the line-coded conversions only.
const NationalCharTable& NorwayChars();

// The partner in `to` of a byte found in `from`; the byte itself when `from` does not hold it.
char TranslateChar(char byte, std::string_view from, std::string_view to);

// Every byte of a finished record in the national characters of Iceland, South America and Sweden, to
// the scale's set or back from it; nothing in the other markets.
void TranslateNationalBytes(std::span<std::uint8_t> bytes, std::uint16_t market, bool toScale);

// Every byte of `in` (up to a 0 byte) found in `from` replaced by its partner in `to`. Returns the
// output length; the output ends with a 0 byte and never passes `out`.
std::size_t TranslateText(std::span<char> out, std::string_view in, std::string_view from, std::string_view to);

// As TranslateText over escape-coded text: ESC codes other than ESC 'C' and ESC 'D' up to '3' are left
// out and the others copied as they are; double-byte characters are copied whole. Stops at a whole
// code or character.
std::size_t TranslateTextKeepEscapes(std::span<char> out, std::string_view in, std::string_view from,
                                     std::string_view to);

}  // namespace varnel
