// The quoted field of families 9 to 12: text between double quotes, then a comma. A double quote in
// the text is written twice; bytes below 32 and 127 are written "\xHH" (upper-case hex); the ESC
// codes of escape-coded text become the family's numeric codes:
//
//   escape-coded          quoted (values)           families
//   ESC 'C' f             13, font number of f      all
//   ESC 'D' d             attribute byte of d       all (not '1', '5' outside 9 in HK/TW/China)
//   ESC 'E' f             20, font number of f      9, 11
//   ESC 'F' d             23, d - '0'               9
//   ESC 'G'/'H'/'I' d     22, 0/4/7, d - '0'        9
//
// The family is the scale's effective one (CLinkScaleSettings::GetScaleType). Font numbers come from
// the Alt maps for family 11 and family 9 outside Taiwan (CsvFontCodes.h).
#pragma once

#include "db/site/LinkScaleSettings.h"
#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnel {

// Writes escape-coded `in` (up to its 0 byte) as a quoted field with its comma, then a 0 byte.
// The text stops at a whole character or code when its scale bytes would pass `maxScaleBytes` or
// the field would not fit in `out`; the closing quote, comma and 0 byte always fit. Returns the
// field's length without the 0 byte; 0, writing at most the 0 byte, when `out` cannot hold an empty
// field.
std::size_t EncodeQuotedScaleText(const TextRules& rules, const CLinkScaleSettings& scale, std::span<char> out,
                                  std::string_view in, std::size_t maxScaleBytes);

// Reads the field at `position` of `in` (which ends at its first 0 byte) into escape-coded text in
// `out`, ended by a 0 byte; text that does not fit is left out at a whole character or code. The
// position moves past the field and its comma (to the end when there is no comma); at or past the
// end it stays. Returns the bytes of `in` consumed; 0, with empty text, for a field that is not
// quoted.
std::size_t DecodeQuotedScaleText(const TextRules& rules, const CLinkScaleSettings& scale, std::span<char> out,
                                  std::string_view in, std::size_t& position);

}  // namespace varnel
