// The settings value of the label text model and the font metrics it reads.
#include "pluedit/LabelTextSettings.h"

namespace varnel {
namespace {
constexpr std::uint16_t kWidthPastEnd = 9;
constexpr std::uint16_t kHeightPastEnd = 14;
}  // namespace

LabelTextSettings LabelTextSettings::Of(const CGeneralSetup& setup, bool systemDoubleByte,
                                        const CScaleFontList& fonts, const CDefLineFont& lineFonts)
{
    LabelTextSettings settings;
    settings.market = setup.m_market;
    settings.defaultFamily = setup.m_defaultScaleFamily;
    settings.koreanFont = setup.m_koreanFont != 0;
    settings.chars = CharRuleOf(setup, systemDoubleByte);
    settings.labelWidth60mmDots = setup.m_labelWidth60mmDots;
    settings.lineSpacing = setup.m_lineLimit;
    settings.fonts = fonts;
    settings.lineFonts = lineFonts;
    return settings;
}

std::uint16_t LabelTextSettings::CharWidth(std::size_t font, bool bold) const
{
    if (font >= fonts.GetSize()) return kWidthPastEnd;
    const CScaleFont& f = fonts.GetAt(font);
    return bold && f.m_metric1 != 0 ? f.m_metric1 : f.m_charWidth;
}

std::uint16_t LabelTextSettings::DisplayHeight(std::size_t font) const
{
    if (font >= fonts.GetSize()) return kHeightPastEnd;
    const CScaleFont& f = fonts.GetAt(font);
    return f.m_metric2 != 0 ? f.m_metric2 : f.m_charHeight;
}

}  // namespace varnel
