// Scale font numbers (the font byte of line-coded text) and the font codes of escape-coded text
// (the character after ESC 'C'), the effect digits and attribute bytes, by the site's market.
#pragma once

#include "db/site/TextRules.h"

#include <cstdint>

namespace varnel {

// The font of a new text: 6 in the Hong Kong, Taiwan and China markets, else 3.
std::uint8_t GetDefaultScaleFont(const TextRules& rules);

// The font code of a scale font number; `effect2` tells whether the font is that code with text
// effect 2 on.
char FontToScaleFontCode(const TextRules& rules, std::uint8_t font, bool& effect2);
std::uint8_t ScaleFontCodeToFont(const TextRules& rules, char code);
// The code the Australia/New Zealand nutrition layout reads a font code as: '7' to '9' as '0' to '2'
// and 'A' to 'E' as '2' to '6'.
char FoldNutritionFontCode(char code);

// Effect digits '1' to '5' and the attribute bytes that stand for them in line-coded text.
// AttrToEffectDigit gives '\0' for a byte that is no attribute; EffectDigitToAttr gives 2 for a
// character that is no effect digit.
char AttrToEffectDigit(std::uint8_t attr);
std::uint8_t EffectDigitToAttr(char digit);
// The effects that line-coded text can toggle: '1' to '4'.
constexpr bool IsScaleAttrDigit(char digit) { return digit >= '1' && digit <= '4'; }

}  // namespace varnel
