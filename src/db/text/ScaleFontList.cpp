// The font list of a general setup and the choice of its font set.
#include "db/text/ScaleFontList.h"

#include "db/text/DefLineFont.h"
#include "db/text/ScaleFontSets.h"

#include <algorithm>

namespace varnel {
namespace {
constexpr std::uint16_t kCharSizePastEnd = 9;
constexpr std::uint16_t kLinePitchPastEnd = 14;

bool TakesSetupLineLimit(std::uint16_t family) { return family == 6 || (family >= 8 && family <= 12); }
}  // namespace

ScaleFontSetChoice ChooseScaleFontSet(const CGeneralSetup& setup)
{
    const std::uint16_t family = setup.m_defaultScaleFamily;
    const std::uint16_t market = setup.m_market;
    const bool family6Or8 = family == 6 || family == 8;
    if (setup.IsKoreanFontMode()) return {7, 0};
    if (market == MarketThailand) return {4, 0};
    if (family == 9) return {market == MarketTaiwan ? 5 : 6, 0};
    if (market == MarketHongKong || market == MarketTaiwan) return {3, 0};
    if (market == MarketChina) return {family6Or8 ? 3 : 2, 0};
    if (family >= 10 && family <= 12) return {6, 0};
    if (family6Or8) return {1, 0};
    return {0, setup.m_seriesNumber};
}

void CScaleFontList::Build(const CGeneralSetup& setup, int fontSet, int series)
{
    m_fonts = MakeScaleFontSet(setup, fontSet, series);
}

const CScaleFont* CScaleFontList::Find(std::size_t position) const
{
    return position < m_fonts.size() ? &m_fonts[position] : nullptr;
}

std::size_t CScaleFontList::FindIndex(std::uint8_t code) const
{
    const auto found =
        std::find_if(m_fonts.begin(), m_fonts.end(), [code](const CScaleFont& f) { return f.m_code == code; });
    return found != m_fonts.end() ? static_cast<std::size_t>(found - m_fonts.begin()) : 0;
}

bool CScaleFontList::HasCode(std::uint8_t code) const
{
    return std::any_of(m_fonts.begin(), m_fonts.end(), [code](const CScaleFont& f) { return f.m_code == code; });
}

bool CScaleFontList::IsUpperCaseOnly(std::size_t position) const
{
    const CScaleFont* font = Find(position);
    return font == nullptr || font->m_flags[CScaleFont::kUpperCaseOnlyFlag] != 0;
}

bool CScaleFontList::GetLayoutFlag(std::size_t position) const
{
    const CScaleFont* font = Find(position);
    return font == nullptr || font->m_flags[CScaleFont::kLayoutFlag] != 0;
}

std::uint16_t CScaleFontList::GetCharSize(std::size_t position, bool height) const
{
    const CScaleFont* font = Find(position);
    if (font == nullptr) return kCharSizePastEnd;
    return height ? font->m_charHeight : font->m_charWidth;
}

std::uint16_t CScaleFontList::GetLinePitch(std::size_t position) const
{
    const CScaleFont* font = Find(position);
    return font != nullptr ? font->m_linePitch : kLinePitchPastEnd;
}

std::uint16_t CScaleFontList::GetLineLimit(std::size_t position, std::uint16_t defaultFamily,
                                           std::uint16_t setupLineLimit) const
{
    const CScaleFont* font = Find(position);
    if (font == nullptr || TakesSetupLineLimit(defaultFamily)) return setupLineLimit;
    return font->m_lineLimit;
}

std::uint8_t CScaleFontList::GetCode(std::size_t position) const
{
    if (m_fonts.empty()) return '0';
    const CScaleFont* font = Find(position);
    return font != nullptr ? font->m_code : m_fonts.front().m_code;
}

std::uint8_t CScaleFontList::GetDefaultLineCode(const CDefLineFont& lineFonts, std::uint16_t textKind,
                                                 std::uint16_t line) const
{
    return GetCode(lineFonts.GetLineFont(textKind, line));
}

}  // namespace varnel
