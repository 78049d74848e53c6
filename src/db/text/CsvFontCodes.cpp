// The quoted-text font maps as tables, one pair of tables (code to number, number to code) per case.
#include "db/text/CsvFontCodes.h"

#include "db/text/ScaleFontCodes.h"

#include <initializer_list>
#include <optional>
#include <span>

namespace varnel {
namespace {

struct CodeFont {
    char code;
    std::uint8_t font;
};

struct CsvFontMap {
    std::span<const CodeFont> toFont;
    std::uint8_t defaultFont;
    std::span<const CodeFont> toCode;  // every number not listed gives '0'
};

constexpr CodeFont kDoubleByteToFont[] = {{'0', 6}, {'1', 14}, {'2', 15}, {'3', 5}, {'4', 12}, {'5', 10}, {'6', 251}};
constexpr CodeFont kDoubleByteToCode[] = {{'3', 5}, {'5', 10}, {'4', 12}, {'1', 14}, {'2', 15}, {'6', 251}};

constexpr CodeFont kKoreanToFont[] = {{'0', 3},   {'1', 8},   {'2', 13}, {'3', 240}, {'4', 241}, {'5', 242},
                                      {'6', 243}, {'7', 3},   {'E', 27}, {'F', 29},  {'G', 1},   {'H', 26},
                                      {'I', 10},  {'J', 36},  {'K', 37}, {'L', 5},   {'M', 6},   {'N', 14},
                                      {'O', 15}};
constexpr CodeFont kKoreanToCode[] = {{'G', 1},  {'L', 5},  {'M', 6},  {'1', 8},  {'I', 10},  {'2', 13},
                                      {'N', 14}, {'O', 15}, {'H', 26}, {'E', 27}, {'F', 29},  {'J', 36},
                                      {'K', 37}, {'3', 240}, {'4', 241}, {'5', 242}, {'6', 243}};

constexpr CodeFont kAustraliaToFont[] = {{'0', 39}, {'1', 40}, {'2', 36}, {'3', 41}, {'4', 42}, {'5', 43},
                                         {'6', 1},  {'7', 39}, {'E', 27}, {'F', 29}, {'G', 44}};
constexpr CodeFont kAustraliaToCode[] = {{'6', 1},  {'E', 27}, {'F', 29}, {'2', 36}, {'1', 40},
                                         {'3', 41}, {'4', 42}, {'5', 43}, {'G', 44}};

// Looked up with the folded code (FoldNutritionFontCode).
constexpr CodeFont kNutritionToFont[] = {{'0', 1},   {'1', 3},   {'2', 8},  {'3', 13}, {'4', 240}, {'5', 241},
                                         {'6', 242}, {'F', 29},  {'G', 1},  {'H', 26}, {'I', 10},  {'J', 38},
                                         {'K', 39}};
constexpr CodeFont kNutritionToCode[] = {{'1', 3},   {'2', 8},   {'I', 10},  {'3', 13},  {'H', 26}, {'E', 27},
                                         {'F', 29},  {'J', 38},  {'K', 39},  {'4', 240}, {'5', 241}, {'6', 242},
                                         {'7', 243}};

constexpr CodeFont kOtherToFont[] = {{'0', 3},   {'1', 8},  {'2', 13}, {'3', 240}, {'4', 241}, {'5', 242},
                                     {'6', 243}, {'7', 3},  {'E', 27}, {'F', 29},  {'G', 1},   {'H', 26},
                                     {'I', 10},  {'J', 36}, {'K', 37}};
constexpr CodeFont kOtherToCode[] = {{'G', 1},  {'1', 8},  {'I', 10}, {'2', 13},  {'H', 26},  {'E', 27},
                                     {'F', 29}, {'J', 36}, {'K', 37}, {'3', 240}, {'4', 241}, {'5', 242},
                                     {'6', 243}};

// The Alt maps of the other cases; code '1' and number 40 depend on the default scale family.
constexpr CodeFont kAltToFont[] = {{'2', 13}, {'3', 240}, {'4', 241}, {'5', 242}, {'6', 243}, {'E', 42},
                                   {'F', 45}, {'G', 1},   {'H', 40},  {'I', 10},  {'J', 43},  {'K', 44}};
constexpr CodeFont kAltToCode[] = {{'G', 1},  {'1', 8},  {'I', 10}, {'2', 13}, {'E', 42},  {'J', 43},  {'K', 44},
                                   {'F', 45}, {'3', 240}, {'4', 241}, {'5', 242}, {'6', 243}};
constexpr CodeFont kAltFamily0[] = {{'1', 40}};
constexpr CodeFont kAltOtherFamilies[] = {{'1', 8}, {'H', 40}};

constexpr std::uint8_t kDoubleByteDefaultFont = 6;
constexpr std::uint8_t kAustraliaDefaultFont = 39;
constexpr std::uint8_t kDefaultFont = 3;
constexpr char kDefaultCode = '0';

enum class CsvFontCase { DoubleByte, Korean, Australia, Nutrition, Other };

CsvFontCase CaseOf(const TextRules& rules)
{
    if (rules.IsDoubleByteMarket()) return CsvFontCase::DoubleByte;
    if (rules.koreanFontMode) return CsvFontCase::Korean;
    if (rules.market == MarketAustralia) return CsvFontCase::Australia;
    if (rules.ausNzNutrition) return CsvFontCase::Nutrition;
    return CsvFontCase::Other;
}

CsvFontMap MapOf(CsvFontCase fontCase)
{
    switch (fontCase) {
    case CsvFontCase::DoubleByte: return {kDoubleByteToFont, kDoubleByteDefaultFont, kDoubleByteToCode};
    case CsvFontCase::Korean: return {kKoreanToFont, kDefaultFont, kKoreanToCode};
    case CsvFontCase::Australia: return {kAustraliaToFont, kAustraliaDefaultFont, kAustraliaToCode};
    case CsvFontCase::Nutrition: return {kNutritionToFont, kDefaultFont, kNutritionToCode};
    case CsvFontCase::Other: break;
    }
    return {kOtherToFont, kDefaultFont, kOtherToCode};
}

using Tables = std::initializer_list<std::span<const CodeFont>>;

std::optional<std::uint8_t> FindFont(Tables tables, char code)
{
    for (std::span<const CodeFont> table : tables)
        for (const CodeFont& entry : table)
            if (entry.code == code) return entry.font;
    return std::nullopt;
}

std::optional<char> FindCode(Tables tables, std::uint8_t font)
{
    for (std::span<const CodeFont> table : tables)
        for (const CodeFont& entry : table)
            if (entry.font == font) return entry.code;
    return std::nullopt;
}

std::span<const CodeFont> AltFamilyEntries(const TextRules& rules)
{
    return rules.defaultScaleFamily > 0 ? std::span<const CodeFont>(kAltOtherFamilies) : kAltFamily0;
}

}  // namespace

std::uint8_t FontCodeToCsvFont(const TextRules& rules, char code)
{
    const CsvFontCase fontCase = CaseOf(rules);
    if (fontCase == CsvFontCase::Nutrition) code = FoldNutritionFontCode(code);
    const CsvFontMap map = MapOf(fontCase);
    return FindFont({map.toFont}, code).value_or(map.defaultFont);
}

std::uint8_t FontCodeToCsvFontAlt(const TextRules& rules, char code)
{
    if (CaseOf(rules) != CsvFontCase::Other) return FontCodeToCsvFont(rules, code);
    return FindFont({AltFamilyEntries(rules), kAltToFont}, code).value_or(kDefaultFont);
}

char CsvFontToFontCode(const TextRules& rules, std::uint8_t font)
{
    return FindCode({MapOf(CaseOf(rules)).toCode}, font).value_or(kDefaultCode);
}

char CsvFontToFontCodeAlt(const TextRules& rules, std::uint8_t font)
{
    if (CaseOf(rules) != CsvFontCase::Other) return CsvFontToFontCode(rules, font);
    return FindCode({AltFamilyEntries(rules), kAltToCode}, font).value_or(kDefaultCode);
}

bool UsesAltCsvFonts(const TextRules& rules, std::uint16_t family)
{
    return family == 11 || (family == 9 && rules.market != MarketTaiwan);
}

}  // namespace varnel
