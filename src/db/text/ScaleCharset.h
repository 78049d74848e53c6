// Escape-coded text between the database and the character set and codes a scale takes, by its
// effective family (CLinkScaleSettings::GetScaleType) and the market of the rules:
//
//   families            to the scale                                from the scale
//   0, 1, 4, 5, 6, 8    national characters (Iceland, South         national characters back; China
//                       America, Sweden); only the ESC codes the    swaps effects 1 and 2 back
//                       market's scales know
//   2, 3                ESC 'C' kept, "<WD-wwww>" markers as        ESC 'W' codes as "<WD-wwww>"
//                       ESC 'W' codes, other codes left out         markers
//   7, 9 to 12, others  nothing                                     nothing
//
// Outputs end with a 0 byte, never pass `out`, and stop at a whole character or code.
#pragma once

#include "db/site/LinkScaleSettings.h"
#include "db/site/TextRules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace varnel {

// Returns the output length; 0, writing nothing, for the families without a conversion.
std::size_t ConvertTextToScaleCharset(const TextRules& rules, const CLinkScaleSettings& scale, std::string_view in,
                                      std::span<char> out);
std::size_t ConvertTextFromScaleCharset(const TextRules& rules, const CLinkScaleSettings& scale, std::span<char> out,
                                        std::string_view in);

}  // namespace varnel
