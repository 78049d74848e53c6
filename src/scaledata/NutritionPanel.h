// The nutrition information panel of a panel-layout row: the text a scale prints, built for a family,
// and the readers of the panels scales send back.
//
// The panel opens with the family's prefix: families 9 to 12 "<key>," and the opening quote of a
// quoted field; family 7 the key (BCD 6), a 0 byte and the big-endian length of what follows the six
// bytes; family 3 nothing; family 0 "6002" and the key in six digits; every other family "60" and the
// key. Then up to eleven lines, each opened by the family's line start (families 9 to 12 the escape
// text "\x0D\x01", family 7 the bytes 13 and 1, the others ESC 'C' and the font code of scale font 7):
//
//           "        NUTRITIONAL INFORMATION"
//           "SERVES/PACK <cont, padded to 6> SERVE SIZE <size> g"
//           "                   QTY/SERVE  QTY/100g"
//           "ENERGY               <per serve> kJ <per 100 g> kJ"         nutrient 13
//           "PROTEIN              <serve> <unit> <100 g> <unit>"         nutrient 7
//           fat (1), saturated (2), carbohydrate (5), sugars (8), sodium (4) alike
//           "<Extra1, padded to 14>       <serve> <unit> <100 g> <unit>" nutrient 14, when Extra1 is set
//
// values in 5 characters and units "g " or "mg". A line that does not fit is left out; families 9 to
// 12 close the field when its quote and comma fit; family 7 pads to an even length.
#pragma once

#include "scaledata/NutritionRows.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

// At most `capacity` bytes; `fontCode` is the code of scale font 7.
std::string BuildNutritionPanel(std::uint16_t family, std::uint32_t key, const PanelNutrition& panel,
                                std::size_t capacity, char fontCode);
// The bytes of the family's prefix: the panel's text part follows them.
std::size_t NutritionPanelPrefixLength(std::uint16_t family, std::uint32_t key);

// A panel whose lines open with ESC 'C' and a font code, 42 bytes apart, at the places the scales
// write them; fields past the text's end stay empty.
PanelNutrition ReadNutritionPanelLines(std::span<const std::uint8_t> text);
// A panel of the comma-separated families: the text of its quoted field, each line after a "\x0D"
// escape (and the escape that may follow it); none for a text shorter than 10 characters.
std::optional<PanelNutrition> ReadNutritionPanelCsv(std::string_view text);

}  // namespace varnel
