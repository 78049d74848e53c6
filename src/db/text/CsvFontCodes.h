// The font numbers of the quoted text of families 9 to 12 and the font codes of escape-coded text.
// The maps depend on the market: Hong Kong, Taiwan and China; Korean font mode; Australia; the
// Australia/New Zealand nutrition layout; and every other case, for which the Alt maps (families 11,
// and 9 outside Taiwan) differ.
#pragma once

#include "db/site/TextRules.h"

#include <cstdint>

namespace varnel {

std::uint8_t FontCodeToCsvFont(const TextRules& rules, char code);
std::uint8_t FontCodeToCsvFontAlt(const TextRules& rules, char code);
char CsvFontToFontCode(const TextRules& rules, std::uint8_t font);
char CsvFontToFontCodeAlt(const TextRules& rules, std::uint8_t font);

// Whether a family's quoted text takes the Alt maps.
bool UsesAltCsvFonts(const TextRules& rules, std::uint16_t family);

}  // namespace varnel
