// The font sets as data. A font of a lettered set is named by its position in the list and its size,
// "1 (L55)": L for the large fonts, C for the others; the compact (C) fonts are the ones the editor
// spreads over the line width. The double-byte, Thai and Korean fonts are named by texts.
//
// The scales' own font metrics are not part of the sets as the editor knows them; every font's
// metrics follow from its character size: a line pitch of the height plus a quarter plus 2 dots.
#include "db/text/ScaleFontSets.h"

#include "db/site/TextRules.h"

#include <cstdio>
#include <span>
#include <string_view>

namespace varnel {
namespace {

struct SizedFont {
    char code;
    std::uint8_t size;
    bool large;          // named L, else C
    bool upperCaseOnly;
};

struct NamedFont {
    char code;
    std::string_view name;
    std::uint8_t width;
    std::uint8_t height;
};

enum class Numbering { Hex, Decimal };

// Set 0: series 0, and any other series.
constexpr SizedFont kSet0Series0[] = {{'0', 48, true, false}, {'1', 36, false, true}, {'2', 25, false, true},
                                      {'3', 18, false, true}, {'4', 12, false, true}, {'5', 9, false, true},
                                      {'6', 6, false, true}};
constexpr SizedFont kSet0Series[] = {{'7', 48, false, false}, {'1', 36, false, true}, {'2', 25, false, true},
                                     {'3', 18, false, true},  {'4', 12, false, true}, {'5', 9, false, true},
                                     {'6', 6, false, true},   {'0', 48, true, false}, {'8', 36, true, true},
                                     {'9', 25, true, true},   {'A', 18, true, true},  {'B', 12, true, true},
                                     {'C', 9, true, true},    {'D', 6, true, true}};

// Set 1: families 6 and 8.
constexpr SizedFont kSet1[] = {{'G', 55, true, false},  {'0', 48, true, false},  {'1', 36, false, false},
                               {'E', 27, false, false}, {'2', 25, false, false}, {'3', 18, false, false},
                               {'F', 13, false, false}, {'4', 12, false, false}, {'5', 9, false, false},
                               {'6', 6, false, false}};

// Set 6: families 9 to 12; the first font is 54 dots in the USA market.
constexpr std::uint8_t kSet6FirstSizeUsa = 54;
constexpr SizedFont kSet6[] = {{'G', 55, true, false},  {'0', 48, true, false},  {'1', 36, false, false},
                               {'H', 36, false, false}, {'I', 31, false, false}, {'E', 27, false, false},
                               {'2', 25, false, false}, {'J', 25, false, false}, {'K', 24, false, false},
                               {'3', 19, false, false}, {'F', 14, false, false}, {'4', 13, false, false},
                               {'5', 10, false, false}, {'6', 7, false, false}};
// The fonts of set 6 that some markets' scales lack.
constexpr std::string_view kSet6NotInBaltic = "HIEJKF";
constexpr std::string_view kSet6NotInPhilippines = "HIJK";

// Set 6 in Australia, with the sizes its codes have in set 6.
constexpr SizedFont kSet6Australia[] = {{'0', 48, false, false}, {'1', 36, false, false}, {'2', 25, false, false},
                                        {'3', 19, false, false}, {'4', 13, false, false}, {'5', 10, false, false},
                                        {'6', 7, false, false},  {'G', 55, true, false},  {'E', 27, false, false},
                                        {'F', 14, false, false}};

// Sets 0 and 6 with the Australia/New Zealand nutrition layout: series 0, and any other series.
constexpr SizedFont kNutritionSeries0[] = {{'7', 62, true, false},  {'8', 48, true, false},  {'2', 36, false, false},
                                           {'3', 25, false, false}, {'4', 18, false, false}, {'5', 12, false, false},
                                           {'6', 9, false, false}};
constexpr SizedFont kNutritionSeries[] = {{'7', 62, false, false}, {'8', 48, false, false}, {'2', 36, false, false},
                                          {'3', 25, false, false}, {'4', 18, false, false}, {'5', 12, false, false},
                                          {'6', 9, false, false},  {'0', 62, true, false},  {'1', 48, true, false},
                                          {'9', 36, true, false},  {'A', 25, true, false},  {'B', 18, true, false},
                                          {'C', 12, true, false},  {'D', 9, true, false}};

// Sets 2 and 3: China, Hong Kong and Taiwan. Set 2 leaves out the first font outside families 6 and 8.
constexpr NamedFont kSet3[] = {
    {'3', "Super Small", 8, 16}, {'0', "Small", 12, 24}, {'1', "Medium", 16, 32}, {'2', "Large", 24, 48}};

// Set 3 with default family 10; set 5 (family 9 in Taiwan) adds the ingredients font.
constexpr NamedFont kSet5[] = {{'2', "Large (2xW)", 24, 24}, {'1', "Large", 12, 24}, {'4', "Medium (2xW)", 20, 20},
                               {'5', "Medium", 10, 20},      {'0', "Small", 8, 16},  {'3', "Super-Small", 6, 12},
                               {'6', "Ingredients", 6, 12}};
constexpr std::size_t kSet3Family10Fonts = 6;

// Set 4: Thailand.
constexpr NamedFont kSet4[] = {{'0', "Large", 12, 24},           {'1', "Large (2xH)", 12, 48},
                               {'2', "Large (2xW)", 24, 24},     {'3', "Large (2xH, 2xW)", 24, 48},
                               {'4', "Small", 8, 16},            {'5', "Small (2xH)", 8, 32},
                               {'6', "Small (2xW)", 16, 16},     {'7', "Small (2xH, 2xW)", 16, 32}};

// Set 7 (Korean font mode): set 6 and then the Korean fonts.
constexpr NamedFont kKoreanFonts[] = {{'L', "Super Small (Korean)", 8, 16},
                                      {'M', "Small (Korean)", 12, 24},
                                      {'N', "Medium (Korean)", 16, 32},
                                      {'O', "Large (Korean)", 24, 48}};

CScaleFont MakeFont(char code, std::string name, std::uint16_t width, std::uint16_t height, std::uint16_t lineLimit)
{
    CScaleFont font;
    font.m_name = std::move(name);
    font.m_code = static_cast<std::uint8_t>(code);
    font.m_charWidth = width;
    font.m_charHeight = height;
    font.m_linePitch = static_cast<std::uint16_t>(height + height / 4 + 2);
    font.m_lineLimit = lineLimit;
    // Every font of the sets takes every effect; the editor's market rules narrow them.
    for (const std::size_t flag : CScaleFont::kEffectAllowedFlags) font.m_flags[flag] = 1;
    return font;
}

class FontSetBuilder {
public:
    explicit FontSetBuilder(std::uint16_t lineLimit) : m_lineLimit(lineLimit) {}

    // Appends the fonts whose codes `leftOut` does not hold, numbered by their place in the list.
    void AddSized(std::span<const SizedFont> fonts, Numbering numbering, std::string_view leftOut = {})
    {
        for (const SizedFont& font : fonts) {
            if (leftOut.find(font.code) != std::string_view::npos) continue;
            const std::uint8_t size = m_fonts.empty() && m_firstSize != 0 ? m_firstSize : font.size;
            char name[32];
            std::snprintf(name, sizeof name, numbering == Numbering::Hex ? "%X (%c%d)" : "%u (%c%d)",
                          static_cast<unsigned>(m_fonts.size() + 1), font.large ? 'L' : 'C', size);
            CScaleFont made =
                MakeFont(font.code, name, static_cast<std::uint16_t>((size * 2 + 2) / 3), size, m_lineLimit);
            made.m_flags[CScaleFont::kLayoutFlag] = font.large ? 0 : 1;
            made.m_flags[CScaleFont::kUpperCaseOnlyFlag] = font.upperCaseOnly ? 1 : 0;
            m_fonts.push_back(std::move(made));
        }
    }

    void AddNamed(std::span<const NamedFont> fonts)
    {
        for (const NamedFont& font : fonts)
            m_fonts.push_back(MakeFont(font.code, std::string(font.name), font.width, font.height, m_lineLimit));
    }

    // The size the first font of the list gets instead of its table's.
    void SetFirstSize(std::uint8_t size) { m_firstSize = size; }

    std::vector<CScaleFont> Take() { return std::move(m_fonts); }

private:
    std::uint16_t m_lineLimit;
    std::uint8_t m_firstSize = 0;
    std::vector<CScaleFont> m_fonts;
};

bool IsFamily6Or8(std::uint16_t family) { return family == 6 || family == 8; }

std::string_view Set6LeftOut(const CGeneralSetup& setup)
{
    if (setup.m_market == MarketBaltic) return kSet6NotInBaltic;
    if (setup.m_market == MarketPhilippines || (setup.m_defaultScaleFamily == 12 && setup.m_market != MarketUsa))
        return kSet6NotInPhilippines;
    return {};
}

// Each set (and each variant of a set) has a builder of its own, named by the set it builds.
void BuildSet0(FontSetBuilder& builder, int series)
{
    builder.AddSized(series == 0 ? std::span<const SizedFont>(kSet0Series0) : kSet0Series, Numbering::Hex);
}

void BuildSet1(FontSetBuilder& builder) { builder.AddSized(kSet1, Numbering::Hex); }

void BuildSet2(FontSetBuilder& builder, bool family6Or8)
{
    builder.AddNamed(std::span<const NamedFont>(kSet3).subspan(family6Or8 ? 0 : 1));
}

void BuildSet3(FontSetBuilder& builder) { builder.AddNamed(kSet3); }

void BuildSet3Type10(FontSetBuilder& builder)
{
    builder.AddNamed(std::span<const NamedFont>(kSet5).first(kSet3Family10Fonts));
}

void BuildSet4(FontSetBuilder& builder) { builder.AddNamed(kSet4); }

void BuildSet5(FontSetBuilder& builder) { builder.AddNamed(kSet5); }

// Set 6 without the fonts of `leftOut`; set 7 builds on it with nothing left out.
void BuildSet6(FontSetBuilder& builder, const CGeneralSetup& setup, std::string_view leftOut)
{
    if (setup.m_market == MarketUsa) builder.SetFirstSize(kSet6FirstSizeUsa);
    builder.AddSized(kSet6, Numbering::Decimal, leftOut);
}

void BuildSet6Mode2(FontSetBuilder& builder) { builder.AddSized(kSet6Australia, Numbering::Hex); }

void BuildSet7(FontSetBuilder& builder, const CGeneralSetup& setup)
{
    BuildSet6(builder, setup, {});
    builder.AddNamed(kKoreanFonts);
}

void BuildSetNutrition(FontSetBuilder& builder, int series)
{
    builder.AddSized(series == 0 ? std::span<const SizedFont>(kNutritionSeries0) : kNutritionSeries, Numbering::Hex);
}

}  // namespace

std::vector<CScaleFont> MakeScaleFontSet(const CGeneralSetup& setup, int fontSet, int series)
{
    const bool ausNz = IsAusNzNutrition(setup);
    const bool family6Or8 = IsFamily6Or8(setup.m_defaultScaleFamily);
    // The double-byte sets take the setup's line limit only for families 6 and 8.
    const bool doubleByteSet = fontSet == 2 || fontSet == 3;
    FontSetBuilder builder(doubleByteSet && !family6Or8 ? 1 : setup.m_lineLimit);
    switch (fontSet) {
    case 1: BuildSet1(builder); break;
    case 2: BuildSet2(builder, family6Or8); break;
    case 3:
        if (setup.m_defaultScaleFamily == 10)
            BuildSet3Type10(builder);
        else
            BuildSet3(builder);
        break;
    case 4: BuildSet4(builder); break;
    case 5: BuildSet5(builder); break;
    case 6:
        if (setup.m_market == MarketAustralia)
            BuildSet6Mode2(builder);
        else if (ausNz)
            BuildSetNutrition(builder, series);
        else
            BuildSet6(builder, setup, Set6LeftOut(setup));
        break;
    case 7: BuildSet7(builder, setup); break;
    default:
        if (ausNz)
            BuildSetNutrition(builder, series);
        else
            BuildSet0(builder, series);
        break;
    }
    return builder.Take();
}

}  // namespace varnel
