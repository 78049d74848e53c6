// Fonts and styles: which fonts an editor offers, the style buttons, line fonts, the label width, the
// detailed font settings, and what the host's controls show for the format at the caret.
#include "pluedit/LabelTextEditForm.h"

#include "platform/Messages.h"
#include "platform/UserPrompt.h"

#include <charconv>

namespace varnel {
namespace {

constexpr MessageId kMsgInsert = 16409;
constexpr MessageId kMsgOverwrite = 59140;
constexpr MessageId kMsgInvalidLabelWidth = 61234;
constexpr MessageId kMsgFontRefused = 61458;

// Font modes of the texts an editor holds.
enum FontMode : int {
    ModeDescription = 0,
    ModeBelow4 = 1,
    ModeSmall = 2,
    ModeMedium = 3,
    ModeIngredients = 4,
    ModeSmallFamily11 = 5
};

constexpr std::uint16_t kFamily11 = 11;

}  // namespace

bool LabelTextEditForm::IsFontAllowed(const CScaleFont& font, int mode) const
{
    const bool doubleByteMarket = m_settings.IsHongKongTaiwan() || m_settings.IsChina();
    if (mode == ModeDescription) {
        if (!m_settings.otherFamilyOnLinks || !doubleByteMarket) return true;
        mode = ModeBelow4;
    }
    const std::uint16_t family = m_settings.defaultFamily;
    if (!m_settings.IsFamily9Default() && family != kFamily11) return true;
    if (family == kFamily11 && mode != ModeSmallFamily11) return true;
    const std::uint8_t code = font.m_code;
    switch (mode) {
    case ModeBelow4: return code < '4';
    case ModeSmall:
    case ModeSmallFamily11: return code == '0' || (doubleByteMarket && code == '3');
    case ModeMedium: return code == '1' || code == '2';
    case ModeIngredients: return code == '6';
    default: return true;
    }
}

void LabelTextEditForm::DisableFontEffects()
{
    SettleLayout();
    for (AllowedFont& allowed : m_allowedFonts)
        for (const std::size_t flag : CScaleFont::kEffectAllowedFlags) allowed.font.m_flags[flag] = 0;
}

std::size_t LabelTextEditForm::RowOf(std::size_t font) const
{
    for (std::size_t row = 0; row < m_allowedFonts.size(); ++row)
        if (m_allowedFonts[row].position == font) return row;
    return m_allowedFonts.size();
}

std::size_t LabelTextEditForm::FormatColumn() const
{
    const std::optional<LabelTextSelection> selection = GetSelection();
    return selection && selection->start.line == m_caret.line ? selection->start.column : m_caret.column;
}

void LabelTextEditForm::OnEffectButton(LabelEffect effect)
{
    SettleLayout();
    const std::optional<LabelTextSelection> selection = GetSelection();
    if (!selection) return;
    const bool on = !FormatAt({m_caret.line, FormatColumn()})[effect];
    SetEffect(*selection, effect, on);
    m_modified = true;
    AfterEdit();
}

void LabelTextEditForm::SetLinesFont(std::size_t row)
{
    SettleLayout();
    if (row >= m_allowedFonts.size()) return;
    const std::size_t font = m_allowedFonts[row].position;
    const std::optional<LabelTextSelection> selection = GetSelection();
    const std::size_t first = selection ? selection->start.line : m_caret.line;
    const std::size_t last = selection ? selection->end.line : m_caret.line;
    bool refused = false;
    for (std::size_t line = first; line <= last && line < m_lines.size(); ++line)
        if (!SetLineFont(line, font)) refused = true;
    m_modified = true;
    AfterEdit();
    if (refused) ShowMessage(kMsgFontRefused);
}

void LabelTextEditForm::NextLineFont()
{
    SettleLayout();
    const std::optional<LabelTextSelection> selection = GetSelection();
    if (selection && selection->start.line != selection->end.line) return;
    if (m_allowedFonts.empty()) return;
    const std::size_t row = RowOf(m_lines[m_caret.line].m_lineFont);
    SetLinesFont(row >= m_allowedFonts.size() ? 0 : (row + 1) % m_allowedFonts.size());
}

bool LabelTextEditForm::SetLabelWidth(std::string_view text)
{
    SettleLayout();
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    unsigned width = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), width);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() || width < kMinLabelWidth ||
        width > kMaxLabelWidth) {
        ShowMessage(kMsgInvalidLabelWidth);
        return false;
    }
    if (width == m_context.labelWidthMm) return true;
    SetLabelWidth(static_cast<std::uint16_t>(width));
    m_modified = true;
    PlaceLabel();
    AfterEdit();
    return true;
}

std::optional<FontDetailForm> LabelTextEditForm::MakeFontDetail() const
{
    if (!GetSelection()) return std::nullopt;
    const CLabelTextLine& line = m_lines[m_caret.line];
    const std::optional<CLabelTextLine::RunPlace> place = line.RunAtColumn(m_caret.column);
    const LabelTextFormat format = place ? line.m_runs[place->run].m_format : CLabelTextRun(line.m_lineFont).m_format;
    return FontDetailForm(format, m_allowedFonts);
}

void LabelTextEditForm::ApplyFontDetail(const FontDetailForm& detail)
{
    SettleLayout();
    const std::optional<LabelTextSelection> selection = GetSelection();
    if (!selection) return;
    ApplyFormat(*selection, detail.GetFormat());
    m_modified = true;
    AfterEdit();
}

LabelTextControls LabelTextEditForm::GetControls() const
{
    LabelTextControls controls;
    const CLabelTextLine& line = m_lines[m_caret.line];
    const std::optional<CLabelTextLine::RunPlace> place = line.RunAtColumn(m_caret.column);
    const std::size_t row = RowOf(place ? line.m_runs[place->run].m_format.font : line.m_lineFont);
    if (row < m_allowedFonts.size()) controls.fontRow = row;
    controls.checked = FormatAt({m_caret.line, FormatColumn()});
    if (m_allowedFonts.empty()) {
        const bool china = m_settings.IsChina();
        controls.enabled = {!china, true, !china && !m_settings.IsThai(), !china, m_settings.IsFamily9Default()};
        controls.boxedShown = true;
    } else {
        controls.enabled = EffectsAllowed(m_allowedFonts.front().font);
        controls.boxedShown = m_settings.IsFamily9Default();
    }
    // The Baltic scales print their first font upright only.
    if (m_settings.market == MarketBaltic && line.m_lineFont == 0) controls.enabled[Italic] = false;
    controls.formatShown = m_formatButtonShown;
    controls.formatEnabled = GetSelection().has_value();
    controls.labelWidth = std::to_string(m_context.labelWidthMm);
    if (m_focus) controls.mode = GetMessageText(IsInsertMode() ? kMsgInsert : kMsgOverwrite);
    return controls;
}

}  // namespace varnel
