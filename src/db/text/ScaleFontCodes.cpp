// The font number and font code tables of the markets. A table is searched in order; a number or code
// that no table of the market holds takes the market's default.
#include "db/text/ScaleFontCodes.h"


#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <span>

namespace varnel {
namespace {

struct FontCode {
    std::uint8_t font;
    char code;
    bool effect2 = false;  // the font is the code's font with effect 2 on
};

// Font number to font code.
constexpr FontCode kDoubleByteCodes[] = {{5, '3'}, {14, '1'}, {15, '2'}};
constexpr FontCode kThaiCodes[] = {{225, '4'}, {229, '6'}, {230, '2'}, {231, '5'}, {232, '1'}, {233, '3'}};
constexpr FontCode kWesternCodes[] = {{3, '0'},        {8, '1'},         {13, '2'},  {18, '0', true},
                                      {19, '1', true}, {20, '2', true},  {27, 'E'},  {28, 'E', true},
                                      {29, 'F'},       {30, 'F', true},  {21, '8'},  {22, '9'},
                                      {23, 'A'},       {24, 'B'},        {25, 'C'},  {26, 'D'}};
constexpr FontCode kWesternCodesOutsideAustralia[] = {{240, '3'},       {241, '4'},       {242, '5'},      {243, '6'},
                                                      {244, '3', true}, {245, '4', true}, {246, '5', true}};
constexpr FontCode kWesternCodesAustralia[] = {{1, '6'}, {240, '3'}, {241, '4'}, {242, '5'}};
constexpr char kDoubleByteDefaultCode = '0';
constexpr char kThaiDefaultCode = '0';
constexpr char kWesternDefaultCode = '7';

// Font code to font number.
constexpr FontCode kDoubleByteFonts[] = {{14, '1'}, {15, '2'}, {5, '3'}};
constexpr FontCode kThaiFonts[] = {{232, '1'}, {230, '2'}, {233, '3'}, {225, '4'}, {231, '5'}, {229, '6'}};
// With the Australia/New Zealand nutrition layout, tried first on the folded code.
constexpr FontCode kNutritionFonts[] = {{1, '0'}, {3, '1'}, {8, '2'}, {13, '3'}, {240, '4'}, {241, '5'}, {242, '6'}};
constexpr FontCode kWesternFonts[] = {{3, '0'},  {8, '1'},  {13, '2'}, {240, '3'}, {241, '4'}, {242, '5'},
                                      {27, 'E'}, {29, 'F'}, {20, '7'}, {21, '8'},  {22, '9'},  {23, 'A'},
                                      {24, 'B'}, {25, 'C'}, {26, 'D'}};
constexpr FontCode kWesternFontsAustralia[] = {{1, '6'}, {243, 'G'}};
constexpr FontCode kWesternFontsBaltic[] = {{243, '6'}, {1, 'G'}};
constexpr FontCode kWesternFontsElsewhere[] = {{243, '6'}, {3, 'G'}};
constexpr std::uint8_t kDoubleByteDefaultFont = 6;
constexpr std::uint8_t kThaiDefaultFont = 227;
constexpr std::uint8_t kWesternDefaultFont = 3;

using Tables = std::initializer_list<std::span<const FontCode>>;

const FontCode* FindFont(Tables tables, std::uint8_t font)
{
    for (std::span<const FontCode> table : tables)
        for (const FontCode& entry : table)
            if (entry.font == font) return &entry;
    return nullptr;
}

std::optional<std::uint8_t> FindCode(Tables tables, char code)
{
    for (std::span<const FontCode> table : tables)
        for (const FontCode& entry : table)
            if (entry.code == code) return entry.font;
    return std::nullopt;
}

// The codes '6' and 'G', which differ by market.
std::span<const FontCode> WesternFontsOf(std::uint16_t market)
{
    if (market == MarketAustralia) return kWesternFontsAustralia;
    if (market == MarketBaltic) return kWesternFontsBaltic;
    return kWesternFontsElsewhere;
}

char CodeOf(Tables tables, std::uint8_t font, char fallback, bool& effect2)
{
    const FontCode* entry = FindFont(tables, font);
    if (entry == nullptr) return fallback;
    effect2 = entry->effect2;
    return entry->code;
}

struct EffectAttr {
    char digit;
    std::uint8_t attr;
};
// The first pair also stands for every character that is no effect digit.
constexpr EffectAttr kEffectAttrs[] = {{'1', 2}, {'2', 6}, {'3', 7}, {'4', 19}, {'5', 21}};

}  // namespace

std::uint8_t GetDefaultScaleFont(const TextRules& rules)
{
    return rules.IsDoubleByteMarket() ? kDoubleByteDefaultFont : kWesternDefaultFont;
}

char FontToScaleFontCode(const TextRules& rules, std::uint8_t font, bool& effect2)
{
    effect2 = false;
    if (rules.IsDoubleByteMarket()) return CodeOf({kDoubleByteCodes}, font, kDoubleByteDefaultCode, effect2);
    if (rules.IsThai()) return CodeOf({kThaiCodes}, font, kThaiDefaultCode, effect2);
    if (rules.market == MarketAustralia)
        return CodeOf({kWesternCodes, kWesternCodesAustralia}, font, kWesternDefaultCode, effect2);
    return CodeOf({kWesternCodes, kWesternCodesOutsideAustralia}, font, kWesternDefaultCode, effect2);
}

std::uint8_t ScaleFontCodeToFont(const TextRules& rules, char code)
{
    if (rules.IsDoubleByteMarket()) return FindCode({kDoubleByteFonts}, code).value_or(kDoubleByteDefaultFont);
    if (rules.IsThai()) return FindCode({kThaiFonts}, code).value_or(kThaiDefaultFont);
    if (rules.ausNzNutrition) {
        code = FoldNutritionFontCode(code);
        if (const std::optional<std::uint8_t> font = FindCode({kNutritionFonts}, code)) return *font;
    }
    const std::span<const FontCode> marketFonts = WesternFontsOf(rules.market);
    return FindCode({kWesternFonts, marketFonts}, code).value_or(kWesternDefaultFont);
}

char FoldNutritionFontCode(char code)
{
    if (code >= '7' && code <= '9') return static_cast<char>(code - '7' + '0');
    if (code >= 'A' && code <= 'E') return static_cast<char>(code - 'A' + '2');
    return code;
}

char AttrToEffectDigit(std::uint8_t attr)
{
    const auto found = std::find_if(std::begin(kEffectAttrs), std::end(kEffectAttrs),
                                    [attr](const EffectAttr& entry) { return entry.attr == attr; });
    return found != std::end(kEffectAttrs) ? found->digit : '\0';
}

std::uint8_t EffectDigitToAttr(char digit)
{
    const auto found = std::find_if(std::begin(kEffectAttrs), std::end(kEffectAttrs),
                                    [digit](const EffectAttr& entry) { return entry.digit == digit; });
    return found != std::end(kEffectAttrs) ? found->attr : kEffectAttrs[0].attr;
}

}  // namespace varnel
