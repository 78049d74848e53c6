// The detailed font settings of a selection.
#include "pluedit/FontDetailForm.h"

namespace varnel {

static_assert(CScaleFont::kEffectAllowedFlags.size() == kLabelEffects);

std::array<bool, kLabelEffects> EffectsAllowed(const CScaleFont& font)
{
    std::array<bool, kLabelEffects> allowed{};
    for (std::size_t effect = 0; effect < kLabelEffects; ++effect)
        allowed[effect] = font.m_flags[CScaleFont::kEffectAllowedFlags[effect]] != 0;
    return allowed;
}

FontDetailForm::FontDetailForm(const LabelTextFormat& format, std::vector<AllowedFont> allowedFonts)
    : m_allowedFonts(std::move(allowedFonts)), m_font(format.font), m_colours(format.colours)
{
    for (std::size_t row = 0; row < m_allowedFonts.size(); ++row)
        if (m_allowedFonts[row].position == format.font) m_fontRow = row;
    for (std::size_t effect = 0; effect < kLabelEffects; ++effect) m_checks[effect] = format.effects[effect];
    for (std::size_t extra = 0; extra < kLabelExtraEffects; ++extra)
        m_checks[kLabelEffects + extra] = format.extraEffects[extra];
}

std::vector<std::string> FontDetailForm::GetFontNames() const
{
    std::vector<std::string> names;
    for (const AllowedFont& allowed : m_allowedFonts) names.push_back(allowed.font.m_name);
    return names;
}

void FontDetailForm::SelectFontRow(std::size_t row)
{
    if (row >= m_allowedFonts.size()) return;
    m_fontRow = row;
    m_font = m_allowedFonts[row].position;
}

bool FontDetailForm::IsCheckEnabled(std::size_t check) const
{
    if (check >= kLabelEffects) return true;
    return !m_allowedFonts.empty() && EffectsAllowed(m_allowedFonts.front().font)[check];
}

LabelTextFormat FontDetailForm::GetFormat() const
{
    LabelTextFormat format;
    format.font = m_font;
    for (std::size_t effect = 0; effect < kLabelEffects; ++effect) format.effects[effect] = m_checks[effect];
    for (std::size_t extra = 0; extra < kLabelExtraEffects; ++extra)
        format.extraEffects[extra] = m_checks[kLabelEffects + extra];
    format.colours = m_colours;
    return format;
}

}  // namespace varnel
