// "Font - Detailed Settings": every attribute of the selected label text at once. It starts from the
// format of the run at the caret, offers the editor's allowed fonts, and gives back the format that
// OK applies to the selection.
#pragma once

#include "db/text/ScaleFont.h"
#include "pluedit/LabelTextRun.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace varnel {

// A font the editor offers, and where it stands in the full font list.
struct AllowedFont {
    CScaleFont font;
    std::size_t position = 0;
};

// Which effects a font lets the user set, in the order of LabelEffect.
std::array<bool, kLabelEffects> EffectsAllowed(const CScaleFont& font);

class FontDetailForm {
public:
    // The seven check boxes: the five effects, then Shadow and Outline.
    static constexpr std::size_t kChecks = std::size_t{kLabelEffects} + std::size_t{kLabelExtraEffects};

    FontDetailForm(const LabelTextFormat& format, std::vector<AllowedFont> allowedFonts);

    std::vector<std::string> GetFontNames() const;
    // The combo row of the format's font; none when the editor does not offer it.
    std::optional<std::size_t> GetFontRow() const { return m_fontRow; }
    void SelectFontRow(std::size_t row);

    bool IsChecked(std::size_t check) const { return m_checks.at(check); }
    void SetChecked(std::size_t check, bool on) { m_checks.at(check) = on; }
    // Bold to Boxed follow the first allowed font; Shadow and Outline are always open.
    bool IsCheckEnabled(std::size_t check) const;

    LabelColour GetColour(LabelColourSlot slot) const { return m_colours.at(slot); }
    void SetColour(LabelColourSlot slot, LabelColour colour) { m_colours.at(slot) = colour; }

    // The format OK applies: the chosen font (the run's own when no row was chosen), flags and colours.
    LabelTextFormat GetFormat() const;

private:
    std::vector<AllowedFont> m_allowedFonts;
    std::size_t m_font;
    std::optional<std::size_t> m_fontRow;
    std::array<bool, kChecks> m_checks{};
    std::array<LabelColour, kLabelColourSlots> m_colours;
};

}  // namespace varnel
